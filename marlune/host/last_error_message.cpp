// XTGetLastErrorMsg: the system's text for an error code, the saved error
// code when no code is passed; "" when the system has no text for it.
#include <winapi/windows.h>

#include "marlune/host/library_state.h"
#include "marlune/host/parameters.h"
#include "marlune/host/registered_functions.h"
#include "marlune/host/results.h"

namespace marlune {

void XTGetLastErrorMsg(ParamBlk* parm) {
  DWORD code = parm->pCount == 1 ? static_cast<DWORD>(host::IntParam(parm, 1))
                                 : host::Library().saved_error;
  char* message = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&message),
      0, nullptr);
  if (length == 0) {
    host::ReturnText("");
    return;
  }
  host::ReturnText(message);
  LocalFree(message);
}

}  // namespace marlune
