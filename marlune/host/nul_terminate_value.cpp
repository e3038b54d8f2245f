#include "marlune/host/host_errors.h"
#include "marlune/host/parameters.h"

namespace marlune::host {

char* NulTerminateValue(Value& value) {
  if (_SetHandSize(value.ev_handle, value.ev_length + 1) == 0) _Error(kErrorNoMemory);
  char* data = static_cast<char*>(_HandToPtr(value.ev_handle));
  data[value.ev_length] = '\0';
  return data;
}

}  // namespace marlune::host
