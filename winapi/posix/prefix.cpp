#include "posix/prefix.h"

#include <cstdlib>
#include <system_error>
#include <filesystem>

namespace winapi::posix {

std::string prefix_setting() {
  if (const char* p = std::getenv("MARLUNE_PREFIX"); p && *p) return p;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return std::string(data) + "/marlune";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.local/share/marlune";
}

std::string prefix_dir() {
  std::filesystem::path prefix = std::filesystem::absolute(prefix_setting()).lexically_normal();
  std::string text = prefix.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  std::error_code ignored;  // a prefix that cannot be created shows up as failing file calls
  std::filesystem::create_directories(text + "/drive_c/windows/system32", ignored);
  return text;
}

std::string drive_c_dir() { return prefix_dir() + "/drive_c"; }

}  // namespace winapi::posix
