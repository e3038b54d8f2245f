// Modules: handles, file names, and the process attach/detach notifications.
#pragma once

#include <winapi/windef.h>

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

WINAPI_BEGIN_DECLS
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
BOOL WINAPI DisableThreadLibraryCalls(HMODULE hLibModule);
WINAPI_END_DECLS
