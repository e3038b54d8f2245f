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

// Resources. A module declares its resources in its own sources (see
// winapi/posix/resources.h); an identifier is a string or MAKEINTRESOURCEA(n).
#define MAKEINTRESOURCEA(i) ((LPCSTR)(uintptr_t)(WORD)(i))
#define IS_INTRESOURCE(p) (((uintptr_t)(p) >> 16) == 0)

WINAPI_BEGIN_DECLS
HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);
LPVOID WINAPI LockResource(HGLOBAL hResData);
WINAPI_END_DECLS
