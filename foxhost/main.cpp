// foxhost: runs FoxPro programs against extension libraries.
//
//   foxhost FILE.prg [arguments]   run a program; arguments reach LPARAMETERS
//   foxhost -e "STATEMENTS"        run statements given on the command line
//   foxhost                        a prompt with line editing and history
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "foxhost/language/interpreter.h"

namespace {

const char kHelp[] =
    "Usage: foxhost FILE.prg [ARGUMENT...]\n"
    "       foxhost -e \"STATEMENTS\"\n"
    "       foxhost\n"
    "\n"
    "Runs FoxPro programs and loads FoxPro extension libraries (.fll).\n"
    "\n"
    "  FILE.prg [ARGUMENT...]  runs the program; each argument reaches its\n"
    "                          LPARAMETERS (or PARAMETERS) as a character value\n"
    "  -e \"STATEMENTS\"         runs the statements, one a line, as a program\n"
    "  (no arguments)          on a terminal: a prompt with line editing and\n"
    "                          history, where \"? expression\" prints a value and\n"
    "                          QUIT leaves; otherwise the program is read from\n"
    "                          standard input\n"
    "  -h, --help              shows this text\n"
    "\n"
    "SET LIBRARY TO name looks for the library as named, with \".fll\" added,\n"
    "beside the running program, then in each folder of FOXHOST_PATH\n"
    "(folders separated by \":\").\n"
    "\n"
    "An error the program does not catch is shown on standard error as\n"
    "\"file(line): Error N: message\" and ends foxhost with status 1; a syntax\n"
    "error is reported before anything runs.\n";

int Prompt(foxhost::language::Interpreter& interpreter) {
  std::cout << "foxhost: FoxPro at a prompt. \"? expression\" prints, QUIT leaves.\n";
  for (;;) {
    char* line = readline("foxhost> ");
    if (!line) break;
    std::string text(line);
    std::free(line);
    if (text.find_first_not_of(" \t") == std::string::npos) continue;
    add_history(text.c_str());
    if (!interpreter.RunPromptLine(text, std::cerr)) break;
  }
  std::cout << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "-h" || args[0] == "--help")) {
    std::cout << kHelp;
    return 0;
  }
  foxhost::language::Host host = foxhost::language::MakeHost(std::cout);
  int status = 0;
  if (!args.empty() && args[0] == "-e") {
    if (args.size() != 2) {
      std::cerr << "foxhost: -e takes one argument, the statements\n" << kHelp;
      return 2;
    }
    status = host.interpreter->RunSource(args[1], "-e", std::cerr);
  } else if (!args.empty() && args[0].size() > 1 && args[0][0] == '-') {
    std::cerr << "foxhost: unknown option " << args[0] << "\n" << kHelp;
    return 2;
  } else if (!args.empty()) {
    status = host.interpreter->RunFile(args[0], {args.begin() + 1, args.end()}, std::cerr);
  } else if (isatty(STDIN_FILENO)) {
    status = Prompt(*host.interpreter);
  } else {
    std::stringstream program;
    program << std::cin.rdbuf();
    status = host.interpreter->RunSource(program.str(), "stdin", std::cerr);
  }
  host.runtime->ReleaseLibraries();
  host.interpreter->FinishOutput();
  return status;
}
