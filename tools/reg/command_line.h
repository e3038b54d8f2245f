// A command's arguments: switches written /name or -name (any case), some
// followed by a value, and the positional arguments around them. A word is a
// switch only when the command knows its name, so a path such as /tmp/x.reg
// stays positional.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "key_path.h"

namespace reg_tool {

struct SwitchSpec {
  const char* name;  // lower case, without the / or -
  bool takes_value;
};

class CommandLine {
 public:
  // Sorts `arguments` by `switches`; on a repeated switch or a missing
  // switch value answers false with `error` set.
  bool Parse(std::span<char* const> arguments, std::span<const SwitchSpec> switches, std::string& error);

  const std::vector<std::string>& positional() const { return positional_; }
  // True when there are exactly `count` positional arguments; otherwise sets
  // `error`, naming an unknown switch when one was given.
  bool ExpectPositional(size_t count, std::string& error) const;
  bool Has(const std::string& name) const { return switches_.contains(name); }
  std::optional<std::string> ValueOf(const std::string& name) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> switches_;
};

// The value a command names: /v NAME, converted to the ANSI code page, or /ve
// for the default value (an empty name); nothing when neither is given.
// Answers false with `error` set when both are given or the name cannot be
// written in the code page.
bool ValueNameSwitch(const CommandLine& line, std::optional<std::string>& name, std::string& error);

// A command on one key (query, add, delete): its switches, the value it
// names with /v or /ve, and the key's path, the one positional argument.
struct KeyCommand {
  CommandLine line;
  std::optional<std::string> name;
  KeyPath path;
};
// Answers false with `error` set when the arguments are not such a command.
bool ParseKeyCommand(std::span<char* const> arguments, std::span<const SwitchSpec> switches,
                     KeyCommand& command, std::string& error);

// True for the words that ask for the usage text: /?, -?, -h, --help.
bool IsHelpWord(const std::string& word);

}  // namespace reg_tool
