// The C run-time calls the libraries use. File names are Windows paths,
// mapped like every other path the stand-in receives.
#pragma once

#include <stdio.h>
#include <winapi/windef.h>

WINAPI_BEGIN_DECLS
char* _strdup(const char* s);
WINAPI_END_DECLS
