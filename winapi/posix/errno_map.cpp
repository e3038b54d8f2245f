// errno values as the Windows codes a caller of the same operation on Windows
// would see. This is the only place errno becomes a Windows code.
#include <cerrno>

#include <winapi/winerror.h>

#include "posix/last_error.h"

namespace winapi::posix {

DWORD win_error_from_errno(int err, DWORD fallback) {
  switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EBUSY: return ERROR_BUSY;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EAGAIN: return ERROR_LOCK_VIOLATION;
    case EIO: return ERROR_GEN_FAILURE;
    case ESPIPE: return ERROR_SEEK;
    case EPIPE: return ERROR_BROKEN_PIPE;
    case ENODEV:
    case ENXIO: return ERROR_NOT_READY;
    case ENOSYS:
    case EOPNOTSUPP: return ERROR_NOT_SUPPORTED;
    case ETIMEDOUT: return ERROR_TIMEOUT;
    case EFAULT: return ERROR_NOACCESS;
    default: return fallback;
  }
}

}  // namespace winapi::posix
