// The library's one export.
#include "marlune/host/host_binding.h"
#include "marlune/host/lck.h"
#include "marlune/host/library_table.h"

FoxTable* DispatchAPI(const HostServices* services) {
  marlune::host::BindHost(services);
  return marlune::host::LibraryTable();
}
