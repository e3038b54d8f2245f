// The registry editor's text form (.reg files), as reg export writes and reg
// import reads it:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Example]
//   @="default value"
//   "text"="C:\\path with \"quotes\""
//   "count"=dword:0000000a
//   "bytes"=hex:01,02,ff
//   "other type"=hex(b):01,00,00,00,00,00,00,00
//
//   [-HKEY_CURRENT_USER\Software\Gone]      (import only: delete a key tree)
//   "gone"=-                                (import only: delete a value)
//
// The file is UTF-8 (without a byte order mark; one is skipped on reading)
// with CR LF line ends as the editor writes them; LF alone reads as well.
// Names and "text" data are converted between UTF-8 and the ANSI code page
// the registry calls use. REG_SZ is written as "text", a 4-byte REG_DWORD as
// dword:, REG_BINARY as hex: and every other type as hex(N): with N its type
// number in hexadecimal (hex(2) expandable string, hex(7) multi-string,
// hex(b) 64-bit number). hex data are the value's bytes exactly as the
// registry calls give them, strings in the ANSI code page. A REG_SZ that
// cannot be "text" (no final NUL, an embedded NUL, a line break, or bytes the
// code page does not define) is written as hex(1), so that it too comes back
// byte for byte. Hexadecimal lines are continued with a trailing backslash
// once they reach 77 characters, as the editor does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "key_path.h"
#include "registry_key.h"

namespace reg_tool {

inline constexpr std::string_view kRegFileHeader = "Windows Registry Editor Version 5.00";

// Appends the key at `path` (open as `key`), its values and everything below
// it to `text`, a header already there. On failure answers the registry's
// status, or ERROR_INVALID_DATA with `error` saying which name cannot be
// written.
LSTATUS WriteKeyTree(const KeyPath& path, HKEY key, std::string& text, std::string& error);

// One step of an import, in the file's order.
struct RegFileStep {
  enum Kind { kCreateKey, kDeleteKey, kSetValue, kDeleteValue } kind;
  KeyPath key;
  Value value;  // kSetValue: name, type and bytes; kDeleteValue: name
  int line;     // where the file says it, for messages
};

// Reads a whole file into steps. On a malformed file answers false, with
// `error` naming the line and what is wrong with it.
bool ReadRegFile(std::string_view bytes, std::vector<RegFileStep>& steps, std::string& error);

}  // namespace reg_tool
