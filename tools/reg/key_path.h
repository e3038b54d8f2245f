// Key paths as a person writes them: a root (HKCU, HKLM, HKCR, HKU, HKCC or
// their long forms, any case) and the path below it, separated by backslashes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <winapi/winreg.h>

namespace reg_tool {

struct KeyPath {
  HKEY root = nullptr;
  std::string root_name;  // the long form, HKEY_CURRENT_USER
  std::string subkey;     // below the root in the ANSI code page; empty for the root itself

  // The path in the long form, in UTF-8, for messages and listings.
  std::string Display() const;
  // The path of the subkey `name` (ANSI) below this one.
  KeyPath Child(const std::string& name) const;
};

// Parses a UTF-8 key path; a trailing backslash is allowed. Nothing for an
// unknown root, an empty component ("a\\b") or a name the ANSI code page
// cannot hold.
std::optional<KeyPath> ParseKeyPath(std::string_view text);

}  // namespace reg_tool
