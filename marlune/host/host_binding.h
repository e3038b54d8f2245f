// Where the library keeps the host's service table.
#pragma once

#include "marlune/host/lck.h"

namespace marlune::host {

// Called by `DispatchAPI`; the host operations forward through `services`.
void BindHost(const HostServices* services);

}  // namespace marlune::host
