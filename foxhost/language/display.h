// How values are shown: by `?` and `??`, and by the functions that turn
// values into text (STR, TRANSFORM).
#pragma once

#include <string>

#include "foxhost/runtime/fox_value.h"

namespace foxhost::language {

// A number with `decimals` places, rounded half away from zero, no padding.
std::string FormatNumber(double value, int decimals);

// `?`'s rendering: numbers right-aligned in their width, .T./.F., .NULL.,
// character values as they are.
std::string Display(const FoxValue& value);

}  // namespace foxhost::language
