// C run-time stream calls over the process's C library, with Windows paths.
#include <cerrno>
#include <cstdio>

#include <winapi/msvcrt.h>

#include "posix/path_map.h"

namespace msvcrt {

FILE* fopen(const char* path, const char* mode) {
  if (!path || !mode) {
    errno = EINVAL;
    return nullptr;
  }
  winapi::posix::PosixPath mapped = winapi::posix::to_posix_path(path);
  if (mapped.error != 0) {
    errno = ENOENT;
    return nullptr;
  }
  return std::fopen(mapped.path.c_str(), mode);
}

size_t fread(void* buffer, size_t size, size_t count, FILE* stream) {
  return std::fread(buffer, size, count, stream);
}

int ferror(FILE* stream) { return std::ferror(stream); }

int fclose(FILE* stream) { return std::fclose(stream); }

}  // namespace msvcrt
