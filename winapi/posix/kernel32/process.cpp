// The current process.
#include <unistd.h>

#include <winapi/processthreadsapi.h>

DWORD WINAPI GetCurrentProcessId(void) { return static_cast<DWORD>(getpid()); }
