// Directory searches: FindFirstFileA, FindNextFileA, FindClose.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <winapi/fileapi.h>
#include <winapi/winerror.h>

#include "posix/ansi_codepage.h"
#include "posix/filetime.h"
#include "posix/kernel32/find_search.h"
#include "posix/last_error.h"
#include "posix/path_map.h"
#include "posix/prefix.h"
#include "posix/syscalls.h"
#include "posix/wildcard.h"

using namespace winapi::posix;

namespace {

bool has_wildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

bool is_folder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

FILETIME to_filetime(const struct statx_timestamp& t) {
  return winapi::posix::to_filetime(timespec{t.tv_sec, static_cast<long>(t.tv_nsec)});
}

DWORD attributes_of(const std::string& name, const struct statx& st) {
  DWORD attributes = 0;
  if (S_ISDIR(st.stx_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  else attributes |= FILE_ATTRIBUTE_ARCHIVE;
  if (!(st.stx_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// The file's status, following a link; a dangling link is described itself.
bool status_of(const std::string& path, struct statx& st) {
  constexpr unsigned kWanted = STATX_BASIC_STATS | STATX_BTIME;
  return statx(AT_FDCWD, path.c_str(), 0, kWanted, &st) == 0 ||
         statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, kWanted, &st) == 0;
}

// The entry as a search reports it; false when its name cannot be given in
// the ANSI code page within MAX_PATH.
bool describe(const std::string& folder, const std::string& name, WIN32_FIND_DATAA& data) {
  struct statx st;
  if (!status_of((folder == "/" ? "" : folder) + "/" + name, st)) return false;
  std::string ansi = utf8_to_ansi(name);
  if (ansi.size() >= MAX_PATH) return false;
  data = {};
  data.dwFileAttributes = attributes_of(name, st);
  // A file system that keeps no birth time gives the last write as creation.
  data.ftCreationTime = to_filetime(st.stx_mask & STATX_BTIME ? st.stx_btime : st.stx_mtime);
  data.ftLastAccessTime = to_filetime(st.stx_atime);
  data.ftLastWriteTime = to_filetime(st.stx_mtime);
  if (!S_ISDIR(st.stx_mode)) {
    data.nFileSizeHigh = static_cast<DWORD>(st.stx_size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(st.stx_size);
  }
  std::memcpy(data.cFileName, ansi.c_str(), ansi.size() + 1);
  return true;
}

struct Listing {
  std::vector<std::string> names;
  int err = 0;  // errno of a folder that cannot be read
};

// Names of `folder` in the order a search lists them: "." and ".." first
// (a drive's root has neither), then without regard to case.
Listing listing(const std::string& folder) {
  DIR* dir = syscalls().opendir(folder.c_str());
  if (!dir) return {{}, errno};
  std::vector<std::pair<icu::UnicodeString, std::string>> keyed;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") keyed.emplace_back(icu::UnicodeString::fromUTF8(name).foldCase(), name);
  }
  closedir(dir);
  std::sort(keyed.begin(), keyed.end());
  Listing result;
  if (folder != "/" && folder != drive_c_dir()) result.names = {".", ".."};
  for (auto& [key, name] : keyed) result.names.push_back(std::move(name));
  return result;
}

struct Found {
  std::vector<WIN32_FIND_DATAA> entries;
  DWORD error = 0;
};

// Every entry of `folder` whose name matches the wildcard pattern.
Found matching_entries(const std::string& folder, const std::string& pattern) {
  Listing listed = listing(folder);
  if (listed.err) return {{}, win_error_from_errno(listed.err, ERROR_PATH_NOT_FOUND)};
  Found found;
  for (const std::string& name : listed.names) {
    WIN32_FIND_DATAA data;
    if (matches_file_pattern(pattern, name) && describe(folder, name, data)) found.entries.push_back(data);
  }
  if (found.entries.empty()) found.error = ERROR_FILE_NOT_FOUND;
  return found;
}

// A name without wildcards finds the one entry a path with that name opens.
Found named_entry(const std::string& folder, const std::string& name) {
  WIN32_FIND_DATAA data;
  std::optional<std::string> entry = resolve_name(folder, name);
  if (!entry || !describe(folder, *entry, data)) return {{}, ERROR_FILE_NOT_FOUND};
  return {{data}, 0};
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  if (!lpFileName || !lpFindFileData) return fail_with(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  SearchTarget target = to_search_target(lpFileName);
  if (target.folder.error) return fail_with(target.folder.error, INVALID_HANDLE_VALUE);
  // A pattern that ends in a separator names no entry.
  if (target.name.empty()) return fail_with(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  const std::string& folder = target.folder.path;
  if (!is_folder(folder)) return fail_with(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);

  Found found = has_wildcard(target.name) ? matching_entries(folder, target.name)
                                          : named_entry(folder, target.name);
  if (found.error) return fail_with(found.error, INVALID_HANDLE_VALUE);

  auto search = std::make_shared<FindSearch>(std::move(found.entries));
  const WIN32_FIND_DATAA* first = search->next();
  HANDLE handle = insert_handle(search);
  if (!handle) return fail_with(ERROR_NOT_ENOUGH_MEMORY, INVALID_HANDLE_VALUE);
  *lpFindFileData = *first;
  set_last_error(ERROR_SUCCESS);
  return handle;
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  auto search = lookup_handle_as<FindSearch>(hFindFile);
  if (!search) return fail_with(ERROR_INVALID_HANDLE, BOOL{FALSE});
  const WIN32_FIND_DATAA* next = search->next();
  if (!next) return fail_with(ERROR_NO_MORE_FILES, BOOL{FALSE});
  *lpFindFileData = *next;
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
  if (!lookup_handle_as<FindSearch>(hFindFile)) return fail_with(ERROR_INVALID_HANDLE, BOOL{FALSE});
  remove_handle(hFindFile);
  return TRUE;
}
