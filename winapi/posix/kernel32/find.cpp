// Directory searches: FindFirstFileA, FindNextFileA, FindClose.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
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
#include "posix/wildcard.h"

using namespace winapi::posix;

namespace {

struct Pattern {
  std::string folder;  // Windows folder part, possibly empty (current folder)
  std::string name;    // name pattern, in the ANSI code page
};

Pattern split_pattern(std::string_view text) {
  size_t cut = text.find_last_of("\\/");
  if (cut == std::string_view::npos && text.size() >= 2 && text[1] == ':') cut = 1;
  if (cut == std::string_view::npos) return {".", std::string(text)};
  std::string folder(text.substr(0, cut + 1));
  if (folder.size() == 2 && folder[1] == ':') folder += '.';  // "C:*.txt": the drive's current folder
  return {folder, std::string(text.substr(cut + 1))};
}

DWORD attributes_of(const std::string& name, const struct stat& st) {
  DWORD attributes = 0;
  if (S_ISDIR(st.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  else attributes |= FILE_ATTRIBUTE_ARCHIVE;
  if (!(st.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// The entry as a search reports it; false when its name cannot be given in
// the ANSI code page within MAX_PATH.
bool describe(const std::string& folder, const std::string& name, WIN32_FIND_DATAA& data) {
  std::string full = (folder == "/" ? "" : folder) + "/" + name;
  struct stat st;
  if (stat(full.c_str(), &st) != 0 && lstat(full.c_str(), &st) != 0) return false;
  std::string ansi = utf8_to_ansi(name);
  if (ansi.size() >= MAX_PATH) return false;
  data = {};
  data.dwFileAttributes = attributes_of(name, st);
  data.ftCreationTime = to_filetime(st.st_mtim);
  data.ftLastAccessTime = to_filetime(st.st_atim);
  data.ftLastWriteTime = to_filetime(st.st_mtim);
  if (!S_ISDIR(st.st_mode)) {
    data.nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(st.st_size) >> 32);
    data.nFileSizeLow = static_cast<DWORD>(st.st_size);
  }
  std::memcpy(data.cFileName, ansi.c_str(), ansi.size() + 1);
  return true;
}

// Names of `folder` in the order a search lists them: "." and ".." first
// (a drive's root has neither), then without regard to case.
std::vector<std::string> listing(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return icu::UnicodeString::fromUTF8(a).caseCompare(icu::UnicodeString::fromUTF8(b),
                                                        U_FOLD_CASE_DEFAULT) < 0;
  });
  if (folder != "/" && folder != drive_c_dir()) names.insert(names.begin(), {".", ".."});
  return names;
}

bool is_folder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  if (!lpFileName || !lpFindFileData) return fail_with(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  Pattern pattern = split_pattern(lpFileName);
  // A pattern that ends in a separator names no entry.
  if (pattern.name.empty()) return fail_with(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);

  PosixPath folder = to_posix_path(pattern.folder);
  if (folder.error) return fail_with(folder.error, INVALID_HANDLE_VALUE);
  if (!is_folder(folder.path)) return fail_with(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);

  const std::string name_pattern = ansi_to_utf8(pattern.name);
  std::vector<WIN32_FIND_DATAA> found;
  for (const std::string& name : listing(folder.path)) {
    WIN32_FIND_DATAA data;
    if (matches_file_pattern(name_pattern, name) && describe(folder.path, name, data))
      found.push_back(data);
  }
  if (found.empty()) return fail_with(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);

  *lpFindFileData = found.front();
  auto search = std::make_shared<FindSearch>(std::move(found));
  search->next();
  HANDLE handle = insert_handle(std::move(search));
  if (!handle) return fail_with(ERROR_NOT_ENOUGH_MEMORY, INVALID_HANDLE_VALUE);
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
