// Share modes between handles opened through the stand-in, in this process
// and in others. Linux has none, so each open records what it does and what
// it denies as read locks on marker bytes far beyond any real data
// (open-file-description locks: they belong to the open, not the process,
// and vanish when its descriptor closes).
#pragma once

#include <winapi/windef.h>

namespace winapi::posix {

enum class ShareResult { granted, violation, unsupported };

// Checks `access` and `share` against every other open of the file and, when
// they agree, records this open's own markers on `lock_fd` (a descriptor
// open for reading). `unsupported`: the file system takes no such locks.
ShareResult acquire_share(int lock_fd, DWORD access, DWORD share);

}  // namespace winapi::posix
