// GetExeInfo: the host program's path (1) or process identifier (2).
#include <winapi/windows.h>

#include "marlune/host/parameters.h"
#include "marlune/host/registered_functions.h"
#include "marlune/host/results.h"

namespace marlune {

void GetExeInfo(ParamBlk* parm) {
  switch (host::IntParam(parm, 1)) {
    case 1: {
      char path[MAX_PATH] = {};
      GetModuleFileNameA(nullptr, path, MAX_PATH);
      host::ReturnText(path);
      break;
    }
    case 2:
      host::ReturnInt(static_cast<int32_t>(GetCurrentProcessId()), 10);
      break;
    default:
      break;  // no result: the caller gets the host's default
  }
}

}  // namespace marlune
