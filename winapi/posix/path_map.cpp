#include "posix/path_map.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <vector>

#include <winapi/winerror.h>

#include "posix/ansi_codepage.h"
#include "posix/prefix.h"

namespace winapi::posix {
namespace {

using Components = std::vector<std::string>;

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool is_directory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string child(const std::string& folder, const std::string& name) {
  return (folder == "/" ? "" : folder) + "/" + name;
}

// True when `path` is `folder` or lies below it.
bool inside(const std::string& path, const std::string& folder) {
  return path == folder || path.starts_with(folder + "/");
}

std::string current_directory() {
  std::vector<char> buffer(4096);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return "/";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool same_ignoring_case(const std::string& a, const std::string& b) {
  return icu::UnicodeString::fromUTF8(a).caseCompare(icu::UnicodeString::fromUTF8(b),
                                                      U_FOLD_CASE_DEFAULT) == 0;
}

// Windows drops trailing dots and spaces from a path component.
std::string trimmed_component(std::string_view component) {
  if (component == "." || component == "..") return std::string(component);
  while (!component.empty() && (component.back() == '.' || component.back() == ' '))
    component.remove_suffix(1);
  return std::string(component);
}

// Characters Windows refuses in a file name: the wildcards, the other
// reserved punctuation and the control characters.
bool has_invalid_character(std::string_view component) {
  return std::any_of(component.begin(), component.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || std::strchr("*?<>|\"", c) != nullptr;
  });
}

Components components_of(const std::string& posix_path) {
  Components parts;
  size_t start = 1;
  while (start < posix_path.size()) {
    size_t end = posix_path.find('/', start);
    if (end == std::string::npos) end = posix_path.size();
    if (end > start) parts.push_back(posix_path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string join(const Components& parts, size_t count) {
  if (count == 0) return "/";
  std::string path;
  for (size_t i = 0; i < count; ++i) path += "/" + parts[i];
  return path;
}

// Adds one component to `parts`, folding `.` and `..` lexically; `..` never
// removes the first `floor` parts (the drive's root).
void append_component(Components& parts, const std::string& part, size_t floor) {
  if (part.empty() || part == ".") return;
  if (part == "..") {
    if (parts.size() > floor) parts.pop_back();
    return;
  }
  parts.push_back(part);
}

// The root of the drive a POSIX path lies on: drive_c for C:, else / for Z:.
std::string drive_root_of(const std::string& posix_path) {
  std::string drive_c = drive_c_dir();
  return inside(posix_path, drive_c) ? drive_c : "/";
}

struct Start {
  std::string folder;      // POSIX folder the components start from
  std::string drive_root;  // the root `..` stops at
  std::string_view rest;
  DWORD error = 0;
};

// Where a Windows path starts: a drive, the root, a POSIX absolute path, or
// the current directory.
Start split_start(std::string_view path) {
  if (path.starts_with("\\\\?\\")) {
    path.remove_prefix(4);
    if (path.size() >= 4 && std::toupper(static_cast<unsigned char>(path[0])) == 'U' &&
        std::toupper(static_cast<unsigned char>(path[1])) == 'N' &&
        std::toupper(static_cast<unsigned char>(path[2])) == 'C' && is_separator(path[3]))
      return {{}, {}, {}, ERROR_BAD_NETPATH};
  }
  if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1]))
    return {{}, {}, {}, ERROR_BAD_NETPATH};
  if (path.size() >= 2 && path[1] == ':') {
    const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    std::string root;
    if (drive == 'C') root = drive_c_dir();
    else if (drive == 'Z') root = "/";
    else return {{}, {}, {}, ERROR_PATH_NOT_FOUND};
    path.remove_prefix(2);
    if (!path.empty() && is_separator(path[0])) return {root, root, path};
    // "C:" and "C:name" start from the drive's current folder: ours when the
    // current directory lies on that drive, else the drive's root.
    std::string cwd = current_directory();
    return {drive_root_of(cwd) == root ? cwd : root, root, path};
  }
  if (!path.empty() && is_separator(path[0])) return {"/", "/", path};
  std::string cwd = current_directory();
  return {cwd, drive_root_of(cwd), path};
}

// to_posix_path for a path already converted to UTF-8.
PosixPath map_utf8(std::string_view path) {
  if (path.empty()) return {{}, ERROR_PATH_NOT_FOUND};
  Start start = split_start(path);
  if (start.error) return {{}, start.error};

  Components parts = components_of(start.folder);
  const size_t floor = components_of(start.drive_root).size();
  size_t kept = parts.size();  // leading parts of the start folder, taken as they are
  size_t begin = 0;
  while (begin <= start.rest.size()) {
    size_t end = begin;
    while (end < start.rest.size() && !is_separator(start.rest[end])) ++end;
    std::string part = trimmed_component(start.rest.substr(begin, end - begin));
    if (has_invalid_character(part)) return {{}, ERROR_INVALID_NAME};
    append_component(parts, part, floor);
    kept = std::min(kept, parts.size());
    begin = end + 1;
  }

  // The named components are looked up in the file system, case-insensitively,
  // for as long as the folders on the way exist.
  std::string mapped = join(parts, kept);
  bool resolving = true;
  for (size_t i = kept; i < parts.size(); ++i) {
    std::optional<std::string> found;
    if (resolving) found = resolve_name(mapped, parts[i]);
    resolving = found.has_value();
    mapped = child(mapped, found ? *found : parts[i]);
  }
  return {mapped, 0, is_separator(path.back())};
}

}  // namespace

PosixPath to_posix_path(std::string_view windows_path) {
  return map_utf8(ansi_to_utf8(windows_path));
}

SearchTarget to_search_target(std::string_view windows_pattern) {
  const std::string pattern = ansi_to_utf8(windows_pattern);
  size_t cut = pattern.find_last_of("\\/");
  if (cut == std::string::npos && pattern.size() >= 2 && pattern[1] == ':') cut = 1;
  if (cut == std::string::npos) return {map_utf8("."), pattern};
  return {map_utf8(std::string_view(pattern).substr(0, cut + 1)), pattern.substr(cut + 1)};
}

std::optional<std::string> resolve_name(const std::string& folder, const std::string& name) {
  if (exists(child(folder, name))) return name;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return std::nullopt;
  std::optional<std::string> best;
  while (dirent* entry = readdir(dir)) {
    std::string candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (same_ignoring_case(candidate, name) && (!best || candidate < *best)) best = candidate;
  }
  closedir(dir);
  return best;
}

bool parent_missing(const std::string& posix_path) {
  size_t slash = posix_path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return false;
  return !is_directory(posix_path.substr(0, slash));
}

std::string to_windows_path(std::string_view posix_path) {
  std::string path(posix_path);
  if (path.empty() || path[0] != '/') path = child(current_directory(), path);
  const bool trailing = path.size() > 1 && path.back() == '/';
  Components parts;
  for (const std::string& part : components_of(path)) append_component(parts, part, 0);
  const std::string normal = join(parts, parts.size());

  const std::string drive_c = drive_c_dir();
  std::string dos = inside(normal, drive_c) ? "C:" + normal.substr(drive_c.size()) : "Z:" + normal;
  if (dos.size() == 2) dos += '/';
  if (trailing && dos.back() != '/') dos += '/';
  std::replace(dos.begin(), dos.end(), '/', '\\');
  return utf8_to_ansi(dos);
}

}  // namespace winapi::posix
