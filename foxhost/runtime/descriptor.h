// A library function's parameter descriptor ("C.I", "R.C", "?" ...) and the
// check the host makes before every call: the count, each argument's type,
// and the integer/numeric conversions. A refused call is FoxPro error 11,
// and the library function is not entered.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foxhost/runtime/argument.h"

namespace foxhost {

struct ParameterSpec {
  char type;  // 'C', 'I', 'N', 'L', 'R' or '?'
  bool optional;
};

// Error 11 when the descriptor is malformed.
std::vector<ParameterSpec> ParseDescriptor(std::string_view descriptor);

// Checks the call and answers the arguments as the function receives them
// ("I" gets an 'N' as 'I', "N" an 'I' as 'N').
std::vector<Argument> CheckCall(std::string_view function, const std::vector<ParameterSpec>& specs,
                                std::vector<Argument> arguments);

}  // namespace foxhost
