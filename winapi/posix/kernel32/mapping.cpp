// File mappings and views over mmap.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <memory>
#include <mutex>

#include <winapi/fileapi.h>
#include <winapi/memoryapi.h>
#include <winapi/winerror.h>

#include "posix/kernel32/file_object.h"
#include "posix/last_error.h"
#include "posix/module_state.h"
#include "posix/syscalls.h"

using namespace winapi::posix;

namespace {

constexpr uint64_t kAllocationGranularity = 65536;

// A mapping keeps its own descriptor, so it outlives the file's handle.
class MappingObject : public KernelObject {
 public:
  MappingObject(int fd, uint64_t size, bool writable) : fd_(fd), size_(size), writable_(writable) {}
  ~MappingObject() override { close(fd_); }
  MappingObject(const MappingObject&) = delete;
  MappingObject& operator=(const MappingObject&) = delete;

  int fd() const { return fd_; }
  uint64_t size() const { return size_; }
  bool writable() const { return writable_; }

 private:
  int fd_;
  uint64_t size_;
  bool writable_;
};

// Views by base address, so UnmapViewOfFile knows each view's length.
struct Views {
  std::mutex mutex;
  std::map<const void*, size_t> lengths;
};

Views* views() { return module_state<Views>(); }

uint64_t join(DWORD high, DWORD low) { return (uint64_t{high} << 32) | low; }

HANDLE anonymous_mapping(uint64_t size) {
  if (size == 0) return fail_with(ERROR_INVALID_PARAMETER, HANDLE(nullptr));
  int fd = memfd_create("mapping", MFD_CLOEXEC);
  if (fd < 0) return fail_with_errno(errno, ERROR_NOT_ENOUGH_MEMORY, HANDLE(nullptr));
  if (syscalls().ftruncate(fd, static_cast<off_t>(size)) != 0) {
    int err = errno;
    close(fd);
    return fail_with_errno(err, ERROR_NOT_ENOUGH_MEMORY, HANDLE(nullptr));
  }
  HANDLE handle = insert_handle(std::make_shared<MappingObject>(fd, size, true));
  if (!handle) return fail_with(ERROR_NOT_ENOUGH_MEMORY, HANDLE(nullptr));
  set_last_error(ERROR_SUCCESS);
  return handle;
}

}  // namespace

HANDLE WINAPI CreateFileMappingA(HANDLE hFile, LPSECURITY_ATTRIBUTES, DWORD flProtect,
                                 DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow, LPCSTR) {
  const DWORD protection = flProtect & 0xFF;
  if (protection != PAGE_READONLY && protection != PAGE_READWRITE && protection != PAGE_WRITECOPY)
    return fail_with(ERROR_INVALID_PARAMETER, HANDLE(nullptr));
  const uint64_t wanted = join(dwMaximumSizeHigh, dwMaximumSizeLow);
  if (hFile == INVALID_HANDLE_VALUE) return anonymous_mapping(wanted);

  auto file = lookup_handle_as<FileObject>(hFile);
  if (!file) return fail_with(ERROR_INVALID_HANDLE, HANDLE(nullptr));
  const bool writable = protection == PAGE_READWRITE;
  if (!file->readable() || (writable && !file->writable()))
    return fail_with(ERROR_ACCESS_DENIED, HANDLE(nullptr));

  struct stat st;
  if (syscalls().fstat(file->fd(), &st) != 0) return fail_with_errno(errno, ERROR_INVALID_HANDLE, HANDLE(nullptr));
  const uint64_t file_size = static_cast<uint64_t>(st.st_size);
  const uint64_t size = wanted ? wanted : file_size;
  // An empty file cannot be mapped.
  if (size == 0) return fail_with(ERROR_FILE_INVALID, HANDLE(nullptr));
  if (size > file_size) {
    if (!writable) return fail_with(ERROR_NOT_ENOUGH_MEMORY, HANDLE(nullptr));
    if (syscalls().ftruncate(file->fd(), static_cast<off_t>(size)) != 0)
      return fail_with_errno(errno, ERROR_DISK_FULL, HANDLE(nullptr));
  }

  int fd = dup(file->fd());
  if (fd < 0) return fail_with_errno(errno, ERROR_TOO_MANY_OPEN_FILES, HANDLE(nullptr));
  HANDLE handle = insert_handle(std::make_shared<MappingObject>(fd, size, writable));
  if (!handle) return fail_with(ERROR_NOT_ENOUGH_MEMORY, HANDLE(nullptr));
  set_last_error(ERROR_SUCCESS);
  return handle;
}

LPVOID WINAPI MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess,
                            DWORD dwFileOffsetHigh, DWORD dwFileOffsetLow,
                            SIZE_T dwNumberOfBytesToMap) {
  auto mapping = lookup_handle_as<MappingObject>(hFileMappingObject);
  if (!mapping) return fail_with(ERROR_INVALID_HANDLE, LPVOID(nullptr));
  const uint64_t offset = join(dwFileOffsetHigh, dwFileOffsetLow);
  if (offset % kAllocationGranularity) return fail_with(ERROR_MAPPED_ALIGNMENT, LPVOID(nullptr));
  if (offset >= mapping->size()) return fail_with(ERROR_ACCESS_DENIED, LPVOID(nullptr));
  const uint64_t length = dwNumberOfBytesToMap ? dwNumberOfBytesToMap : mapping->size() - offset;
  if (length > mapping->size() - offset) return fail_with(ERROR_ACCESS_DENIED, LPVOID(nullptr));

  const bool copy = dwDesiredAccess & FILE_MAP_COPY && !(dwDesiredAccess & FILE_MAP_WRITE);
  const bool write = dwDesiredAccess & FILE_MAP_WRITE;
  if (write && !mapping->writable()) return fail_with(ERROR_ACCESS_DENIED, LPVOID(nullptr));
  const int protection = PROT_READ | (write || copy ? PROT_WRITE : 0);
  void* view = syscalls().mmap(nullptr, length, protection, copy ? MAP_PRIVATE : MAP_SHARED,
                               mapping->fd(), static_cast<off_t>(offset));
  if (view == MAP_FAILED) return fail_with_errno(errno, ERROR_NOT_ENOUGH_MEMORY, LPVOID(nullptr));

  Views* registry = views();
  if (!registry) {
    munmap(view, length);
    return fail_with(ERROR_NOT_ENOUGH_MEMORY, LPVOID(nullptr));
  }
  std::lock_guard lock(registry->mutex);
  registry->lengths[view] = length;
  return view;
}

BOOL WINAPI UnmapViewOfFile(LPCVOID lpBaseAddress) {
  Views* registry = views();
  if (!registry) return fail_with(ERROR_INVALID_ADDRESS, BOOL{FALSE});
  size_t length;
  {
    std::lock_guard lock(registry->mutex);
    auto it = registry->lengths.find(lpBaseAddress);
    if (it == registry->lengths.end()) return fail_with(ERROR_INVALID_ADDRESS, BOOL{FALSE});
    length = it->second;
    registry->lengths.erase(it);
  }
  munmap(const_cast<void*>(lpBaseAddress), length);
  return TRUE;
}
