// reg: reads and changes the registry from the shell, in the manner of
// Windows' reg. Keys, values and files are written in UTF-8; see kUsage.
#include <cstdio>
#include <string>

#include "ascii.h"
#include "command_line.h"
#include "commands.h"
#include "console.h"

namespace {

const char kUsage[] =
    "Usage:\n"
    "  reg query KEY [/v NAME | /ve] [/s]\n"
    "      List the values of KEY and its subkeys; /s lists every key below it too.\n"
    "      /v NAME (or /ve, the default value) lists that value only, and with /s\n"
    "      wherever it is found below KEY.\n"
    "  reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
    "      Create KEY; with /v or /ve, also set that value. TYPE is REG_SZ (the\n"
    "      default), REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY\n"
    "      or REG_NONE. Numbers are decimal or 0x hexadecimal; binary data are hex\n"
    "      digits (00ff1a); multi-string items are separated by \\0 or by the one\n"
    "      character /s gives. An existing value is overwritten only with /f or\n"
    "      after a yes on standard input.\n"
    "  reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "      Delete the value NAME, the default value (/ve), every value (/va), or\n"
    "      KEY with everything below it. Without /f, asks first.\n"
    "  reg export KEY FILE [/y]\n"
    "      Write KEY and everything below it to FILE as a .reg file (UTF-8, CR LF).\n"
    "      /y overwrites an existing FILE without asking.\n"
    "  reg import FILE\n"
    "      Carry out a .reg file: create keys, set values, delete [-KEY] and \"name\"=-.\n"
    "\n"
    "KEY is ROOT\\path, ROOT being HKCU, HKLM, HKCR, HKU, HKCC or the long form\n"
    "(HKEY_CURRENT_USER ...), in any case. A question is answered by a line of\n"
    "standard input: yes or y agrees; anything else, or no input, cancels.\n"
    "The registry is the one in $MARLUNE_PREFIX. Exit code 0 on success, 1 on failure.\n";

struct Command {
  const char* name;
  int (*run)(std::span<char* const>);
};

const Command kCommands[] = {
    {"query", reg_tool::Query},   {"add", reg_tool::Add},       {"delete", reg_tool::Delete},
    {"export", reg_tool::Export}, {"import", reg_tool::Import},
};

}  // namespace

int main(int argc, char** argv) {
  const std::span<char* const> arguments(argv + 1, argc > 0 ? static_cast<size_t>(argc - 1) : 0);
  // reg /? and reg COMMAND /? (later words may be data that looks the same)
  if ((arguments.size() > 0 && reg_tool::IsHelpWord(arguments[0])) ||
      (arguments.size() > 1 && reg_tool::IsHelpWord(arguments[1]))) {
    fputs(kUsage, stdout);
    return reg_tool::kSuccess;
  }
  if (arguments.empty()) return reg_tool::FailSyntax("No command given.");
  const std::string name = reg_tool::AsciiLower(arguments[0]);
  for (const Command& command : kCommands)
    if (name == command.name) return command.run(arguments.subspan(1));
  return reg_tool::FailSyntax("Unknown command " + std::string(arguments[0]) + ".");
}
