// Message boxes.
#pragma once

#include <winapi/windef.h>

#define MB_OK 0x00000000L
#define IDOK 1

WINAPI_BEGIN_DECLS
// Without a display: writes the caption and the text to standard error and
// answers IDOK.
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
WINAPI_END_DECLS
