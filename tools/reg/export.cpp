// reg export KEY FILE [/y]: writes the key and everything below it to FILE in
// the registry editor's text form (see reg_file.h); /y overwrites an existing
// file without asking.
#include <filesystem>
#include <fstream>

#include <winapi/winerror.h>

#include "command_line.h"
#include "commands.h"
#include "console.h"
#include "reg_file.h"

namespace reg_tool {
namespace {

const SwitchSpec kSwitches[] = {{"y", false}};

}  // namespace

int Export(std::span<char* const> arguments) {
  CommandLine line;
  std::string error;
  if (!line.Parse(arguments, kSwitches, error) || !line.ExpectPositional(2, error)) return FailSyntax(error);
  std::optional<KeyPath> path = ParseKeyPath(line.positional()[0]);
  if (!path) return FailSyntax("Not a valid key: " + line.positional()[0]);
  const std::filesystem::path file = line.positional()[1];

  Key key;
  LSTATUS status = key.Open(*path, KEY_READ);
  if (status != ERROR_SUCCESS) return FailStatus(status);
  std::string text = std::string(kRegFileHeader) + "\r\n\r\n";
  status = WriteKeyTree(*path, key.get(), text, error);
  if (status == ERROR_INVALID_DATA && !error.empty()) return Fail(error);
  if (status != ERROR_SUCCESS) return FailStatus(status);

  std::error_code ignored;
  if (!line.Has("y") && std::filesystem::exists(file, ignored) &&
      !Confirm("The file " + file.string() + " exists. Overwrite it"))
    return Cancelled();
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out.flush()) return Fail("Cannot write the file " + file.string() + ".");
  return Done();
}

}  // namespace reg_tool
