// The C run-time calls the libraries use. File names are Windows paths,
// mapped like every other path the stand-in receives.
#pragma once

#include <stdio.h>
#include <winapi/windef.h>

WINAPI_BEGIN_DECLS
char* _strdup(const char* s);
WINAPI_END_DECLS

#ifdef __cplusplus
// The run-time's stream calls. They live in a namespace of their own so that
// the process's C library keeps its POSIX fopen; library code writes
// msvcrt::fopen where the run-time would be called.
namespace msvcrt {

// Opens the file a Windows path names; null when the path cannot be mapped
// or the file cannot be opened. Modes as the C library takes them ("rb").
FILE* fopen(const char* path, const char* mode);
size_t fread(void* buffer, size_t size, size_t count, FILE* stream);
int ferror(FILE* stream);
int fclose(FILE* stream);

}  // namespace msvcrt
#endif
