// Closing kernel object handles.
#pragma once

#include <winapi/windef.h>

WINAPI_BEGIN_DECLS
BOOL WINAPI CloseHandle(HANDLE hObject);
WINAPI_END_DECLS
