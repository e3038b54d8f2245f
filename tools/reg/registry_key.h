// The registry as this tool sees it: an open key that closes itself, and the
// values and subkeys of a key read whole through the Reg* calls.
#pragma once

#include <string>
#include <vector>

#include <winapi/winreg.h>

#include "key_path.h"

namespace reg_tool {

// An open key, closed when it goes. A root is used as its predefined handle.
class Key {
 public:
  Key() = default;
  ~Key();
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  LSTATUS Open(const KeyPath& path, REGSAM access);
  LSTATUS Create(const KeyPath& path);
  // Closes the key in hand, if any.
  void Close();
  HKEY get() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
  bool owned_ = false;
};

struct Value {
  std::string name;  // ANSI; empty for the default value
  DWORD type = REG_NONE;
  std::string data;  // the bytes as RegQueryValueExA gives them
};

// Every value of the key, in the registry's enumeration order.
LSTATUS ReadValues(HKEY key, std::vector<Value>& values);
// One value; ERROR_FILE_NOT_FOUND when the key has none by that name.
LSTATUS ReadValue(HKEY key, const std::string& name, Value& value);
// The names (ANSI) of the key's direct subkeys, in enumeration order.
LSTATUS ReadSubkeyNames(HKEY key, std::vector<std::string>& names);

}  // namespace reg_tool
