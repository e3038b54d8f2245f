#include "posix/syscalls.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/mman.h>
#include <unistd.h>

namespace winapi::posix {
namespace {

int open_file(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

const Syscalls kReal = {open_file, ::read, ::write, ::fstat, ::ftruncate, ::mmap, ::opendir,
                        sqlite3_open_v2};

}  // namespace

Syscalls& syscalls() {
  static Syscalls table = kReal;
  return table;
}

const Syscalls& real_syscalls() { return kReal; }

}  // namespace winapi::posix
