// The calling thread's last-error code.
#pragma once

#include <winapi/windef.h>

WINAPI_BEGIN_DECLS
DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD dwErrCode);
WINAPI_END_DECLS
