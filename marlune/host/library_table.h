// The table of registered functions the host reads through `DispatchAPI`.
#pragma once

#include "marlune/host/lck.h"

namespace marlune::host {

FoxTable* LibraryTable();

}  // namespace marlune::host
