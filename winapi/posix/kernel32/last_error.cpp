// The calling thread's last-error code.
#include <winapi/errhandlingapi.h>

#include "posix/last_error.h"

namespace {
thread_local DWORD g_last_error = 0;
}

namespace winapi::posix {
void set_last_error(DWORD code) { g_last_error = code; }
}  // namespace winapi::posix

DWORD WINAPI GetLastError(void) { return g_last_error; }

void WINAPI SetLastError(DWORD dwErrCode) { g_last_error = dwErrCode; }
