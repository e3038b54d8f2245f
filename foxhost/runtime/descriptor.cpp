#include "foxhost/runtime/descriptor.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "foxhost/runtime/fox_error.h"

namespace foxhost {
namespace {

bool IsDescriptorLetter(char c) {
  return c == 'C' || c == 'I' || c == 'N' || c == 'L' || c == 'R' || c == '?';
}

const char* DeclaredName(char type) {
  switch (type) {
    case 'R': return "a variable passed by reference";
    case 'I': return "integer";
    case 'N': return "numeric";
    default: return TypeName(type);
  }
}

[[noreturn]] void Refuse(std::string_view function, const std::string& why) {
  throw FoxError(kErrorInvalidArgument, std::string(function) + "(): " + why);
}

size_t RequiredCount(const std::vector<ParameterSpec>& specs) {
  size_t required = 0;
  for (size_t i = 0; i < specs.size(); ++i)
    if (!specs[i].optional) required = i + 1;
  return required;
}

// An 'N' as an integer: whole part, within 32 bits.
bool ToInteger(const FoxValue& value, int32_t* out) {
  double whole = std::trunc(value.number);
  if (!std::isfinite(whole) || whole < INT32_MIN || whole > INT32_MAX) return false;
  *out = static_cast<int32_t>(whole);
  return true;
}

Argument Received(std::string_view function, size_t position, ParameterSpec spec,
                  Argument argument) {
  auto wrong = [&](const std::string& got) -> Argument {
    Refuse(function, "parameter " + std::to_string(position) + " must be " +
                         DeclaredName(spec.type) + ", got " + got);
  };
  if (spec.type == 'R') {
    if (!argument.by_reference()) return wrong(std::string(TypeName(argument.value.type)) + " value");
    return argument;
  }
  if (argument.by_reference()) return wrong("a variable passed by reference");
  FoxValue& value = argument.value;
  switch (spec.type) {
    case '?':
      return argument;
    case 'I': {
      if (value.type == 'I') return argument;
      int32_t whole = 0;
      if (value.type != 'N' || !ToInteger(value, &whole))
        return wrong(value.type == 'N' ? "a number out of the integer range"
                                       : std::string(TypeName(value.type)));
      return Argument(FoxValue::Integer(whole, value.width));
    }
    case 'N':
      if (value.type == 'N') return argument;
      if (value.type != 'I') return wrong(TypeName(value.type));
      return Argument(FoxValue::Numeric(value.integer, value.width, 0));
    default:
      if (value.type != spec.type) return wrong(TypeName(value.type));
      return argument;
  }
}

}  // namespace

std::vector<ParameterSpec> ParseDescriptor(std::string_view descriptor) {
  std::vector<ParameterSpec> specs;
  for (size_t i = 0; i < descriptor.size(); ++i) {
    bool optional = descriptor[i] == '.';
    if (optional) ++i;
    if (i == descriptor.size() || !IsDescriptorLetter(descriptor[i]))
      throw FoxError(kErrorInvalidArgument,
                     "malformed parameter descriptor \"" + std::string(descriptor) + "\"");
    specs.push_back({descriptor[i], optional});
  }
  return specs;
}

std::vector<Argument> CheckCall(std::string_view function, const std::vector<ParameterSpec>& specs,
                                std::vector<Argument> arguments) {
  size_t required = RequiredCount(specs);
  if (arguments.size() < required || arguments.size() > specs.size()) {
    std::string expected = required == specs.size()
                               ? std::to_string(specs.size())
                               : std::to_string(required) + " to " + std::to_string(specs.size());
    Refuse(function, "expects " + expected + " parameter" + (specs.size() == 1 ? "" : "s") +
                         ", got " + std::to_string(arguments.size()));
  }
  for (size_t i = 0; i < arguments.size(); ++i)
    arguments[i] = Received(function, i + 1, specs[i], std::move(arguments[i]));
  return arguments;
}

}  // namespace foxhost
