// The built-in functions: FoxPro's rules for types, optional arguments and
// errors (a wrong count or type is error 11).
#pragma once

#include <string_view>
#include <vector>

#include "foxhost/runtime/fox_value.h"
#include "foxhost/runtime/variables.h"

namespace foxhost::language {

class Interpreter;

struct BuiltinCall {
  Interpreter& interpreter;
  std::vector<FoxValue> arguments;
  // For each argument that is an array named on its own: the array (ALEN,
  // ASCAN, ACOPY read it whole); null otherwise.
  std::vector<Variable*> arrays;
};

using Builtin = FoxValue (*)(BuiltinCall&);

// By name in upper case: the whole name, or four letters or more when they
// name one function only. Null when there is none.
const Builtin* FindBuiltin(std::string_view name);

}  // namespace foxhost::language
