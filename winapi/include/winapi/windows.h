// The Windows API subset the libraries call, in one include.
#pragma once

#include <winapi/windef.h>
#include <winapi/winerror.h>
#include <winapi/errhandlingapi.h>
#include <winapi/winbase.h>
#include <winapi/handleapi.h>
#include <winapi/fileapi.h>
#include <winapi/memoryapi.h>
#include <winapi/libloaderapi.h>
#include <winapi/processthreadsapi.h>
#include <winapi/winnls.h>
#include <winapi/msvcrt.h>
#include <winapi/winuser.h>
#include <winapi/winreg.h>
