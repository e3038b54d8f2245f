// reg import FILE: carries out a file in the registry editor's text form (see
// reg_file.h): creates its keys and sets its values, deletes the keys and
// values it marks with -. The file is checked whole before the first change.
#include <fstream>
#include <iterator>

#include <winapi/winerror.h>

#include "command_line.h"
#include "commands.h"
#include "console.h"
#include "reg_file.h"

namespace reg_tool {
namespace {

LSTATUS Apply(const RegFileStep& step, Key& current) {
  switch (step.kind) {
    case RegFileStep::kCreateKey:
      return current.Create(step.key);
    case RegFileStep::kDeleteKey: {
      current.Close();  // the key in hand may be inside the tree that goes
      LSTATUS status = RegDeleteTreeA(step.key.root, step.key.subkey.c_str());
      return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    }
    case RegFileStep::kSetValue:
      return RegSetValueExA(current.get(), step.value.name.c_str(), 0, step.value.type,
                            reinterpret_cast<const BYTE*>(step.value.data.data()),
                            static_cast<DWORD>(step.value.data.size()));
    case RegFileStep::kDeleteValue: {
      LSTATUS status = RegDeleteValueA(current.get(), step.value.name.c_str());
      return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    }
  }
  return ERROR_INVALID_PARAMETER;
}

}  // namespace

int Import(std::span<char* const> arguments) {
  CommandLine line;
  std::string error;
  if (!line.Parse(arguments, {}, error) || !line.ExpectPositional(1, error)) return FailSyntax(error);
  const std::string& file = line.positional()[0];
  std::ifstream in(file, std::ios::binary);
  if (!in) return Fail("Cannot read the file " + file + ".");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Fail("Cannot read the file " + file + ".");

  std::vector<RegFileStep> steps;
  if (!ReadRegFile(bytes, steps, error)) return Fail(file + ", " + error);
  Key current;
  for (const RegFileStep& step : steps) {
    LSTATUS status = Apply(step, current);
    if (status != ERROR_SUCCESS) return Fail(file + ", line " + std::to_string(step.line) + ": " + StatusText(status));
  }
  return Done();
}

}  // namespace reg_tool
