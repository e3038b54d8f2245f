// Opening, reading and closing files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include <winapi/fileapi.h>
#include <winapi/handleapi.h>
#include <winapi/winerror.h>

#include "posix/kernel32/file_object.h"
#include "posix/kernel32/find_search.h"
#include "posix/kernel32/share_mode.h"
#include "posix/last_error.h"
#include "posix/path_map.h"
#include "posix/syscalls.h"

using namespace winapi::posix;

namespace winapi::posix {

FileObject::~FileObject() {
  if (delete_on_close_) unlink(path_.c_str());
  if (lock_fd_ >= 0) close(lock_fd_);
  close(fd_);
}

}  // namespace winapi::posix

namespace {

constexpr DWORD kReadAccess = GENERIC_READ | GENERIC_ALL | GENERIC_EXECUTE | FILE_READ_DATA;
constexpr DWORD kWriteAccess = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA;

int open_flags(bool readable, bool writable) {
  if (readable && writable) return O_RDWR;
  if (writable) return O_WRONLY;
  if (readable) return O_RDONLY;
  return O_PATH;  // attributes only
}

// ENOENT means a missing file, unless a folder on the way is missing.
DWORD missing_code(const std::string& path) {
  return parent_missing(path) ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
}

DWORD open_error(int err, const std::string& path) {
  if (err == ENOENT) return missing_code(path);
  return win_error_from_errno(err, ERROR_OPEN_FAILED);
}

struct Opened {
  int fd = -1;
  bool created = false;
  int err = 0;
};

// Opens the existing file, or creates it when the disposition allows, and
// tells which of the two happened.
Opened open_or_create(const std::string& path, int flags, DWORD disposition, mode_t mode) {
  const bool may_open = disposition != CREATE_NEW;
  const bool may_create = disposition != OPEN_EXISTING && disposition != TRUNCATE_EXISTING;
  for (int attempt = 0; attempt < 8; ++attempt) {
    if (may_open) {
      int fd = syscalls().open(path.c_str(), flags | O_CLOEXEC, 0);
      if (fd >= 0 || errno != ENOENT || !may_create) return {fd, false, fd >= 0 ? 0 : errno};
    }
    // Creating needs a real descriptor even for an attributes-only open.
    const int create_flags = (flags & O_PATH) ? O_RDONLY : flags;
    int fd = syscalls().open(path.c_str(), create_flags | O_CLOEXEC | O_CREAT | O_EXCL, mode);
    if (fd >= 0) return {fd, true, 0};
    if (errno != EEXIST || !may_open) return {-1, false, errno};
    // Someone created it between the two calls: open it as existing.
  }
  return {-1, false, EEXIST};
}

// A descriptor that can carry the share-mode read locks: the file's own
// when it is open for reading, else a second read-only open of the same file
// (-1 when even that is refused: the handle then takes no part in sharing).
int lock_descriptor(int fd, int flags) {
  if ((flags & O_ACCMODE) == O_RDONLY && !(flags & O_PATH)) return fd;
  if ((flags & O_ACCMODE) == O_RDWR) return fd;
  std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::open(self.c_str(), O_RDONLY | O_CLOEXEC);
}

// A file being opened: its descriptors are closed again, and a file the open
// created is removed, unless they are handed over to a FileObject.
class PendingOpen {
 public:
  PendingOpen(Opened opened, int flags, std::string path)
      : fd_(opened.fd), lock_fd_(lock_descriptor(opened.fd, flags)), created_(opened.created),
        path_(std::move(path)) {}
  ~PendingOpen() {
    if (fd_ < 0) return;
    if (lock_fd_ >= 0 && lock_fd_ != fd_) close(lock_fd_);
    close(fd_);
    if (created_) unlink(path_.c_str());
  }
  PendingOpen(const PendingOpen&) = delete;
  PendingOpen& operator=(const PendingOpen&) = delete;

  int fd() const { return fd_; }
  bool created() const { return created_; }

  bool share(DWORD access, DWORD share) const {
    return lock_fd_ < 0 || acquire_share(lock_fd_, access, share) != ShareResult::violation;
  }

  std::shared_ptr<FileObject> hand_over(bool readable, bool writable, bool delete_on_close) {
    auto file = std::make_shared<FileObject>(fd_, lock_fd_ == fd_ ? -1 : lock_fd_, path_, readable,
                                             writable, delete_on_close);
    fd_ = -1;
    return file;
  }

 private:
  int fd_;
  int lock_fd_;
  bool created_;
  std::string path_;
};

HANDLE open_directory(const std::string& path, DWORD flags) {
  // A folder is a file only to a caller that asks for backup semantics.
  if (!(flags & FILE_FLAG_BACKUP_SEMANTICS)) return fail_with(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  int fd = syscalls().open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return fail_with_errno(errno, ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  HANDLE handle = insert_handle(std::make_shared<FileObject>(fd, -1, path, false, false, false));
  if (!handle) return fail_with(ERROR_TOO_MANY_OPEN_FILES, INVALID_HANDLE_VALUE);
  set_last_error(ERROR_SUCCESS);
  return handle;
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE) {
  if (!lpFileName) return fail_with(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING)
    return fail_with(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  // Asynchronous handles are not offered: every read and write here completes at once.
  if (dwFlagsAndAttributes & FILE_FLAG_OVERLAPPED) return fail_with(ERROR_NOT_SUPPORTED, INVALID_HANDLE_VALUE);
  const bool readable = dwDesiredAccess & kReadAccess;
  const bool writable = dwDesiredAccess & kWriteAccess;
  if (dwCreationDisposition == TRUNCATE_EXISTING && !writable)
    return fail_with(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);

  PosixPath target = to_posix_path(lpFileName);
  if (target.error) return fail_with(target.error, INVALID_HANDLE_VALUE);

  struct stat st;
  const bool exists = stat(target.path.c_str(), &st) == 0;
  if (exists && dwCreationDisposition == CREATE_NEW) return fail_with(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
  if (exists && S_ISDIR(st.st_mode)) return open_directory(target.path, dwFlagsAndAttributes);
  if (target.trailing_separator) return fail_with(ERROR_INVALID_NAME, INVALID_HANDLE_VALUE);

  const int flags = open_flags(readable, writable);
  const mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  Opened opened = open_or_create(target.path, flags, dwCreationDisposition, mode);
  if (opened.fd < 0) {
    if (opened.err == EEXIST) return fail_with(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
    return fail_with(open_error(opened.err, target.path), INVALID_HANDLE_VALUE);
  }
  PendingOpen file(opened, flags, target.path);
  if (!file.share(dwDesiredAccess, dwShareMode)) return fail_with(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);

  // Truncation comes only after the share check has let this open through.
  const bool truncate = !file.created() && (dwCreationDisposition == CREATE_ALWAYS ||
                                            dwCreationDisposition == TRUNCATE_EXISTING);
  if (truncate && syscalls().ftruncate(file.fd(), 0) != 0)
    return fail_with_errno(errno, ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);

  HANDLE handle = insert_handle(
      file.hand_over(readable, writable, dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE));
  if (!handle) return fail_with(ERROR_TOO_MANY_OPEN_FILES, INVALID_HANDLE_VALUE);

  const bool reopened = !file.created() && (dwCreationDisposition == OPEN_ALWAYS ||
                                            dwCreationDisposition == CREATE_ALWAYS);
  set_last_error(reopened ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  if (lpOverlapped) return fail_with(ERROR_INVALID_PARAMETER, BOOL{FALSE});
  auto file = lookup_handle_as<FileObject>(hFile);
  if (!file) return fail_with(ERROR_INVALID_HANDLE, BOOL{FALSE});
  if (!file->readable()) return fail_with(ERROR_ACCESS_DENIED, BOOL{FALSE});

  auto* out = static_cast<char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToRead) {
    ssize_t n = syscalls().read(file->fd(), out + done, nNumberOfBytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
      return fail_with_errno(errno, ERROR_READ_FAULT, BOOL{FALSE});
    }
    if (n == 0) break;  // end of file: success with fewer bytes
    done += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
  return TRUE;
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  auto file = lookup_handle_as<FileObject>(hFile);
  if (!file) return fail_with(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
  struct stat st;
  if (syscalls().fstat(file->fd(), &st) != 0) return fail_with_errno(errno, ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
  // A low part of 0xFFFFFFFF is a size, not a failure: last-error says which.
  set_last_error(ERROR_SUCCESS);
  return static_cast<DWORD>(size);
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
  // A search handle is closed with FindClose only.
  if (lookup_handle_as<FindSearch>(hObject)) return fail_with(ERROR_INVALID_HANDLE, BOOL{FALSE});
  if (!remove_handle(hObject)) return fail_with(ERROR_INVALID_HANDLE, BOOL{FALSE});
  return TRUE;
}
