// reg delete KEY [/v NAME | /ve | /va] [/f]: deletes one value, every value of
// the key, or the key with everything below it.
#include <winapi/winerror.h>

#include "ansi_text.h"
#include "command_line.h"
#include "commands.h"
#include "console.h"
#include "key_path.h"
#include "registry_key.h"

namespace reg_tool {
namespace {

const SwitchSpec kSwitches[] = {{"v", true}, {"ve", false}, {"va", false}, {"f", false}};

int DeleteTree(const KeyPath& path, bool confirmed) {
  if (path.subkey.empty()) return Fail("A root key cannot be deleted.");
  Key key;
  LSTATUS status = key.Open(path, KEY_READ);
  if (status != ERROR_SUCCESS) return FailStatus(status);
  if (!confirmed && !Confirm("Delete the key " + path.Display() + " and everything below it")) return Cancelled();
  status = RegDeleteTreeA(path.root, path.subkey.c_str());
  return status == ERROR_SUCCESS ? Done() : FailStatus(status);
}

int DeleteAllValues(const KeyPath& path, bool confirmed) {
  Key key;
  LSTATUS status = key.Open(path, KEY_READ | KEY_SET_VALUE);
  std::vector<Value> values;
  if (status == ERROR_SUCCESS) status = ReadValues(key.get(), values);
  if (status != ERROR_SUCCESS) return FailStatus(status);
  if (!confirmed && !Confirm("Delete every value of " + path.Display())) return Cancelled();
  for (const Value& value : values) {
    status = RegDeleteValueA(key.get(), value.name.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return FailStatus(status);
  }
  return Done();
}

int DeleteValue(const KeyPath& path, const std::string& name, bool confirmed) {
  Key key;
  LSTATUS status = key.Open(path, KEY_READ | KEY_SET_VALUE);
  Value value;
  if (status == ERROR_SUCCESS) status = ReadValue(key.get(), name, value);
  if (status != ERROR_SUCCESS) return FailStatus(status);
  const std::string shown = name.empty() ? "(Default)" : AnsiToUtf8ForDisplay(name);
  if (!confirmed && !Confirm("Delete the value " + shown + " of " + path.Display())) return Cancelled();
  status = RegDeleteValueA(key.get(), name.c_str());
  return status == ERROR_SUCCESS ? Done() : FailStatus(status);
}

}  // namespace

int Delete(std::span<char* const> arguments) {
  KeyCommand command;
  std::string error;
  if (!ParseKeyCommand(arguments, kSwitches, command, error)) return FailSyntax(error);
  auto& [line, name, path] = command;
  if (name && line.Has("va")) return FailSyntax("Give one of /v, /ve and /va.");
  const bool confirmed = line.Has("f");
  if (name) return DeleteValue(path, *name, confirmed);
  if (line.Has("va")) return DeleteAllValues(path, confirmed);
  return DeleteTree(path, confirmed);
}

}  // namespace reg_tool
