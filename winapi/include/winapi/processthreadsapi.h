// Processes and threads.
#pragma once

#include <winapi/windef.h>

WINAPI_BEGIN_DECLS
DWORD WINAPI GetCurrentProcessId(void);
WINAPI_END_DECLS
