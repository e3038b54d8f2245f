#include "posix/path_map.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include <winapi/winerror.h>

#include "posix/ansi_codepage.h"
#include "posix/prefix.h"

namespace winapi::posix {
namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool is_directory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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

// The entry of `folder` that `name` names: the exact name when it exists,
// else the first entry in byte order that equals it without regard to case.
std::optional<std::string> find_entry(const std::string& folder, const std::string& name) {
  std::string exact = (folder == "/" ? "" : folder) + "/" + name;
  if (exists(exact)) return name;
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

// Windows drops trailing dots and spaces from a path component.
std::string trimmed_component(std::string_view component) {
  if (component == "." || component == "..") return std::string(component);
  while (!component.empty() && (component.back() == '.' || component.back() == ' '))
    component.remove_suffix(1);
  return std::string(component);
}

struct Split {
  std::string root;  // POSIX folder the components start from
  std::string_view rest;
  DWORD error = 0;
};

// Where a Windows path starts: a drive, the root, a POSIX absolute path, or
// the current directory.
Split split_root(std::string_view path) {
  if (path.starts_with("\\\\?\\")) path.remove_prefix(4);
  if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1]))
    return {{}, {}, ERROR_BAD_NETPATH};
  if (path.size() >= 2 && path[1] == ':') {
    char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    std::string root;
    if (drive == 'C') root = drive_c_dir();
    else if (drive == 'Z') root = "/";
    else return {{}, {}, ERROR_PATH_NOT_FOUND};
    path.remove_prefix(2);
    // "C:name" is relative to the drive's current folder: ours when the
    // current directory lies on that drive, else the drive's root.
    if (!path.empty() && !is_separator(path[0])) {
      std::string cwd = current_directory();
      std::string cwd_dos = to_windows_path(cwd);
      if (!cwd_dos.empty() && std::toupper(static_cast<unsigned char>(cwd_dos[0])) == drive)
        root = cwd;
    }
    return {root, path};
  }
  if (!path.empty() && is_separator(path[0])) return {"/", path};
  return {current_directory(), path};
}

std::vector<std::string> components_of(const std::string& root) {
  std::vector<std::string> parts;
  size_t start = 1;
  while (start < root.size()) {
    size_t end = root.find('/', start);
    if (end == std::string::npos) end = root.size();
    if (end > start) parts.push_back(root.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string join(const std::vector<std::string>& parts) {
  if (parts.empty()) return "/";
  std::string path;
  for (const std::string& part : parts) path += "/" + part;
  return path;
}

}  // namespace

PosixPath to_posix_path(std::string_view windows_path) {
  if (windows_path.empty()) return {{}, ERROR_PATH_NOT_FOUND};
  std::string utf8 = ansi_to_utf8(windows_path);
  Split split = split_root(utf8);
  if (split.error) return {{}, split.error};

  // `..` never climbs above the drive's root.
  std::vector<std::string> parts = components_of(split.root);
  const size_t floor = split.root == "/" || split.root == drive_c_dir() ? parts.size() : 0;
  std::vector<std::string> named;
  size_t start = 0;
  while (start <= split.rest.size()) {
    size_t end = start;
    while (end < split.rest.size() && !is_separator(split.rest[end])) ++end;
    std::string part = trimmed_component(split.rest.substr(start, end - start));
    if (part == "..") {
      if (!named.empty()) named.pop_back();
      else if (parts.size() > floor) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      named.push_back(part);
    }
    start = end + 1;
  }

  // Resolve the named components against the file system, case-insensitively,
  // for as long as the folders on the way exist.
  std::string path = join(parts);
  bool resolving = true;
  for (const std::string& part : named) {
    std::optional<std::string> found;
    if (resolving) found = find_entry(path, part);
    if (!found) resolving = false;
    path = (path == "/" ? "" : path) + "/" + (found ? *found : part);
  }
  PosixPath result{path, 0};
  result.trailing_separator = is_separator(utf8.back());
  return result;
}

bool parent_missing(const std::string& posix_path) {
  size_t slash = posix_path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return false;
  return !is_directory(posix_path.substr(0, slash));
}

std::string to_windows_path(std::string_view posix_path) {
  std::string path(posix_path);
  if (path.empty() || path[0] != '/') path = current_directory() + "/" + path;
  bool trailing = path.size() > 1 && path.back() == '/';
  std::string normal = join(components_of(path));
  // components_of keeps `.` and `..`: fold them lexically.
  std::vector<std::string> folded;
  for (const std::string& part : components_of(normal)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!folded.empty()) folded.pop_back();
      continue;
    }
    folded.push_back(part);
  }
  normal = join(folded);

  std::string drive_c = drive_c_dir();
  std::string dos;
  if (normal == drive_c || normal.starts_with(drive_c + "/"))
    dos = "C:" + normal.substr(drive_c.size());
  else
    dos = "Z:" + normal;
  if (dos.size() == 2) dos += '/';
  if (trailing && dos.back() != '/') dos += '/';
  std::replace(dos.begin(), dos.end(), '/', '\\');
  return utf8_to_ansi(dos);
}

}  // namespace winapi::posix
