// An argument of a call to a library function: a value, or a variable passed
// by reference (@name).
#pragma once

#include <string>

#include "foxhost/runtime/fox_value.h"

namespace foxhost {

struct Argument {
  Argument(FoxValue value) : value(std::move(value)) {}  // NOLINT: values convert
  static Argument Reference(std::string variable) {
    Argument argument(FoxValue{});
    argument.reference = std::move(variable);
    return argument;
  }

  bool by_reference() const { return !reference.empty(); }

  FoxValue value;
  std::string reference;  // the variable's name when passed by reference
};

}  // namespace foxhost
