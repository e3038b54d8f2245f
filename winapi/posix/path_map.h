// The one module that maps Windows paths to POSIX paths and back.
//
// Windows side: `C:` is drive_c/ of the prefix, `Z:` is `/`; a POSIX absolute
// path (`/tmp/x`) is accepted as it stands; `\` and `/` both separate; `.` and
// `..` are resolved lexically (never above a drive's root); a relative path is
// taken from the current directory. A component that does not exist with its
// exact case is looked up without regard to case (an exact match wins, else
// the first match in byte order). Windows paths are in the ANSI code page;
// POSIX file names are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <winapi/windef.h>

namespace winapi::posix {

struct PosixPath {
  std::string path;          // absolute POSIX path (UTF-8); empty when error != 0
  DWORD error = 0;           // Windows code when the path cannot be mapped
  bool trailing_separator = false;  // the Windows path ended with \ or /
};

// Maps a Windows path to the POSIX file it names. The last component need
// not exist; when a folder on the way is missing, the result still carries the
// mapped path and parent_missing() tells ERROR_PATH_NOT_FOUND apart from
// ERROR_FILE_NOT_FOUND. Errors: ERROR_PATH_NOT_FOUND (empty path, a drive
// other than C: and Z:), ERROR_BAD_NETPATH (UNC paths), ERROR_INVALID_NAME
// (a component holding a wildcard or another character Windows refuses).
PosixPath to_posix_path(std::string_view windows_path);

// A search pattern (`C:\dir\*.txt`) split into the folder searched, mapped
// as by to_posix_path, and its last component as it stands, in UTF-8
// (empty when the pattern ends in a separator).
struct SearchTarget {
  PosixPath folder;
  std::string name;
};
SearchTarget to_search_target(std::string_view windows_pattern);

// The entry of the POSIX folder `folder` that the UTF-8 `name` names: the
// exact name when it exists, else the first entry in byte order that equals
// it without regard to case; nothing when there is none.
std::optional<std::string> resolve_name(const std::string& folder, const std::string& name);

// True when the folder that would hold `posix_path` does not exist.
bool parent_missing(const std::string& posix_path);

// Maps an absolute POSIX path back to a DOS path in the ANSI code page:
// inside drive_c it comes back as `C:\...`, elsewhere as `Z:\...`.
std::string to_windows_path(std::string_view posix_path);

}  // namespace winapi::posix
