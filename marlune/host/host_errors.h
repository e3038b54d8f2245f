// The FoxPro errors the library raises with `_Error`.
#pragma once

#include "marlune/host/lck.h"

namespace marlune::host {

inline constexpr int kErrorDataTypeMismatch = 9;  // a "?" or "R" parameter of a type the function cannot use
inline constexpr int kErrorNoMemory = 182;        // a block could not be allocated or grown

// A host variable operation answered minus a FoxPro error number: raise it.
inline void RaiseIfFailed(int answer) {
  if (answer < 0) _Error(-answer);
}

}  // namespace marlune::host
