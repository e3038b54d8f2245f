// The system calls the file functions (and the registry's database open)
// depend on, routed through one table so a test can make any of them fail
// (ENOSPC, EIO, EACCES, SQLITE_CANTOPEN ...) and check the Windows code that
// comes out. Production code never changes the table.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

struct sqlite3;

namespace winapi::posix {

struct Syscalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*read)(int fd, void* buffer, size_t count);
  ssize_t (*write)(int fd, const void* buffer, size_t count);
  int (*fstat)(int fd, struct stat* st);
  int (*ftruncate)(int fd, off_t length);
  void* (*mmap)(void* address, size_t length, int protection, int flags, int fd, off_t offset);
  DIR* (*opendir)(const char* path);
  // sqlite3_open_v2: how the registry opens its database.
  int (*sqlite_open)(const char* path, sqlite3** db, int flags, const char* vfs);
};

// The table in force; a test may overwrite entries and restore them after.
Syscalls& syscalls();

// The table as the process starts with it.
const Syscalls& real_syscalls();

}  // namespace winapi::posix
