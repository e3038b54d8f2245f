// reg query KEY [/v NAME | /ve] [/s]: a key's values and subkeys, listed the
// way Windows' reg does: the key's path, then one indented line per value.
#include <cstdio>

#include <winapi/winerror.h>

#include "ansi_text.h"
#include "command_line.h"
#include "commands.h"
#include "console.h"
#include "key_path.h"
#include "registry_key.h"
#include "value_types.h"

namespace reg_tool {
namespace {

const SwitchSpec kSwitches[] = {{"v", true}, {"ve", false}, {"s", false}};

void PrintLine(const std::string& line) { printf("%s\n", line.c_str()); }

void PrintValue(const Value& value) {
  const std::string name = value.name.empty() ? "(Default)" : AnsiToUtf8ForDisplay(value.name);
  PrintLine("    " + name + "    " + TypeName(value.type) + "    " + DisplayData(value));
}

// The key's path and values; then its subkeys, as paths, or with `recursive`
// each listed the same way. Blank lines part the blocks.
LSTATUS List(const KeyPath& path, HKEY key, bool recursive) {
  std::vector<Value> values;
  LSTATUS status = ReadValues(key, values);
  if (status != ERROR_SUCCESS) return status;
  PrintLine(path.Display());
  for (const Value& value : values) PrintValue(value);
  std::vector<std::string> subkeys;
  status = ReadSubkeyNames(key, subkeys);
  if (status != ERROR_SUCCESS) return status;
  if (!recursive) {
    if (!subkeys.empty()) PrintLine("");
    for (const std::string& name : subkeys) PrintLine(path.Child(name).Display());
    return ERROR_SUCCESS;
  }
  for (const std::string& name : subkeys) {
    const KeyPath child = path.Child(name);
    Key subkey;
    status = subkey.Open(child, KEY_READ);
    if (status == ERROR_SUCCESS) {
      PrintLine("");
      status = List(child, subkey.get(), true);
    }
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

// The value `name` of the key, and with `recursive` of every key below it;
// `found` counts the keys listed.
LSTATUS Find(const KeyPath& path, HKEY key, const std::string& name, bool recursive, int& found) {
  Value value;
  LSTATUS status = ReadValue(key, name, value);
  if (status == ERROR_SUCCESS) {
    if (found++ > 0) PrintLine("");
    PrintLine(path.Display());
    PrintValue(value);
  } else if (status != ERROR_FILE_NOT_FOUND) {
    return status;
  }
  if (!recursive) return ERROR_SUCCESS;
  std::vector<std::string> subkeys;
  status = ReadSubkeyNames(key, subkeys);
  for (size_t i = 0; status == ERROR_SUCCESS && i < subkeys.size(); ++i) {
    const KeyPath child = path.Child(subkeys[i]);
    Key subkey;
    status = subkey.Open(child, KEY_READ);
    if (status == ERROR_SUCCESS) status = Find(child, subkey.get(), name, true, found);
  }
  return status;
}

}  // namespace

int Query(std::span<char* const> arguments) {
  KeyCommand command;
  std::string error;
  if (!ParseKeyCommand(arguments, kSwitches, command, error)) return FailSyntax(error);
  auto& [line, name, path] = command;
  const bool recursive = line.Has("s");

  Key key;
  LSTATUS status = key.Open(path, KEY_READ);
  if (status != ERROR_SUCCESS) return FailStatus(status);
  if (!name) {
    status = List(path, key.get(), recursive);
    return status == ERROR_SUCCESS ? kSuccess : FailStatus(status);
  }
  int found = 0;
  status = Find(path, key.get(), *name, recursive, found);
  if (status != ERROR_SUCCESS) return FailStatus(status);
  return found > 0 ? kSuccess : FailStatus(ERROR_FILE_NOT_FOUND);
}

}  // namespace reg_tool
