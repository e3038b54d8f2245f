// Module handles and file names.
#include <link.h>
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include <winapi/libloaderapi.h>
#include <winapi/winerror.h>

#include "posix/last_error.h"
#include "posix/module.h"
#include "posix/path_map.h"

using winapi::posix::fail_with;

namespace {

// Copies `text` the way Windows does: when it does not fit, as much as fits
// with a terminator, the buffer size returned and ERROR_INSUFFICIENT_BUFFER.
DWORD copy_out(const std::string& text, LPSTR buffer, DWORD size) {
  if (size == 0) return fail_with(ERROR_INSUFFICIENT_BUFFER, DWORD{0});
  if (text.size() + 1 > size) {
    std::memcpy(buffer, text.data(), size - 1);
    buffer[size - 1] = '\0';
    return fail_with(ERROR_INSUFFICIENT_BUFFER, size);
  }
  std::memcpy(buffer, text.data(), text.size() + 1);
  winapi::posix::set_last_error(ERROR_SUCCESS);
  return static_cast<DWORD>(text.size());
}

std::string_view base_name(std::string_view path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// A module name matches a file with or without the file's extension,
// without regard to case.
bool names_module(std::string_view wanted, std::string_view file) {
  auto same = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
  };
  if (same(wanted, file)) return true;
  size_t dot = file.find('.');
  return wanted.find('.') == std::string_view::npos && dot != std::string_view::npos &&
         same(wanted, file.substr(0, dot));
}

struct NameSearch {
  std::string_view wanted;
  HMODULE found = nullptr;
};

int visit_by_name(dl_phdr_info* info, size_t, void* data) {
  auto* search = static_cast<NameSearch*>(data);
  if (!info->dlpi_name || !info->dlpi_name[0]) return 0;
  if (!names_module(search->wanted, base_name(info->dlpi_name))) return 0;
  search->found = winapi::posix::module_of_object(info);
  return 1;
}

}  // namespace

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  std::string file = winapi::posix::module_file(hModule);
  if (file.empty()) return fail_with(ERROR_MOD_NOT_FOUND, DWORD{0});
  return copy_out(winapi::posix::to_windows_path(file), lpFilename, nSize);
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (!lpModuleName) return winapi::posix::executable_module();
  NameSearch search{base_name(lpModuleName)};
  dl_iterate_phdr(visit_by_name, &search);
  if (!search.found) return fail_with(ERROR_MOD_NOT_FOUND, HMODULE(nullptr));
  return search.found;
}

// No thread notifications are sent on this system, so there is nothing to turn off.
BOOL WINAPI DisableThreadLibraryCalls(HMODULE hLibModule) {
  if (!hLibModule) return fail_with(ERROR_INVALID_HANDLE, BOOL{FALSE});
  return TRUE;
}
