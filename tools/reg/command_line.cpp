#include "command_line.h"

#include "ansi_text.h"
#include "ascii.h"

namespace reg_tool {
namespace {

}  // namespace

bool CommandLine::Parse(std::span<char* const> arguments, std::span<const SwitchSpec> switches,
                        std::string& error) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string word = arguments[i];
    const SwitchSpec* spec = nullptr;
    if (word.size() > 1 && (word[0] == '/' || word[0] == '-')) {
      const std::string name = AsciiLower(word.substr(1));
      for (const SwitchSpec& candidate : switches)
        if (name == candidate.name) spec = &candidate;
    }
    if (!spec) {
      positional_.push_back(word);
      continue;
    }
    if (switches_.contains(spec->name)) {
      error = "The switch " + word + " is given twice.";
      return false;
    }
    std::string value;
    if (spec->takes_value) {
      if (i + 1 == arguments.size()) {
        error = "The switch " + word + " needs a value.";
        return false;
      }
      value = arguments[++i];
    }
    switches_[spec->name] = value;
  }
  return true;
}

bool CommandLine::ExpectPositional(size_t count, std::string& error) const {
  if (positional_.size() == count) return true;
  for (size_t i = count; i < positional_.size(); ++i) {
    if (positional_[i][0] == '/' || positional_[i][0] == '-') {
      error = "Unknown switch " + positional_[i] + ".";
      return false;
    }
  }
  error = positional_.size() < count ? "An argument is missing." : "Too many arguments.";
  return false;
}

std::optional<std::string> CommandLine::ValueOf(const std::string& name) const {
  auto found = switches_.find(name);
  if (found == switches_.end()) return std::nullopt;
  return found->second;
}

bool ValueNameSwitch(const CommandLine& line, std::optional<std::string>& name, std::string& error) {
  name.reset();
  if (line.Has("v") && line.Has("ve")) {
    error = "Give /v or /ve, not both.";
    return false;
  }
  if (line.Has("ve")) name = std::string();
  if (!line.Has("v")) return true;
  name = Utf8ToAnsi(*line.ValueOf("v"));
  if (!name) {
    error = "The value name cannot be written in this locale's ANSI code page.";
    return false;
  }
  return true;
}

bool ParseKeyCommand(std::span<char* const> arguments, std::span<const SwitchSpec> switches,
                     KeyCommand& command, std::string& error) {
  if (!command.line.Parse(arguments, switches, error) || !command.line.ExpectPositional(1, error) ||
      !ValueNameSwitch(command.line, command.name, error))
    return false;
  const std::string& key = command.line.positional()[0];
  std::optional<KeyPath> path = ParseKeyPath(key);
  if (!path) {
    error = "Not a valid key: " + key;
    return false;
  }
  command.path = std::move(*path);
  return true;
}

bool IsHelpWord(const std::string& word) {
  return word == "/?" || word == "-?" || word == "-h" || word == "--help";
}

}  // namespace reg_tool
