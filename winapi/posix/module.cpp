#include "posix/module.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

namespace winapi::posix {
namespace {

std::string real_path(const char* path) {
  char resolved[PATH_MAX];
  if (!realpath(path, resolved)) return path;
  return resolved;
}

std::string executable_file() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return std::string(buffer, static_cast<size_t>(n));
}

struct Search {
  HMODULE wanted;
  std::string file;
  bool found = false;
};

int visit(dl_phdr_info* info, size_t, void* data) {
  auto* search = static_cast<Search*>(data);
  if (module_of_object(info) != search->wanted) return 0;
  search->found = true;
  search->file = (info->dlpi_name && info->dlpi_name[0]) ? real_path(info->dlpi_name)
                                                         : executable_file();
  return 1;
}

}  // namespace

HMODULE module_of_address(const void* address) {
  Dl_info info;
  if (!dladdr(address, &info) || !info.dli_fbase) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

HMODULE module_of_object(const dl_phdr_info* info) {
  // Any address inside the object's first loaded segment names it.
  for (int i = 0; i < info->dlpi_phnum; ++i)
    if (info->dlpi_phdr[i].p_type == PT_LOAD)
      return module_of_address(
          reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr));
  return nullptr;
}

HMODULE executable_module() {
  HMODULE first = nullptr;
  // The executable is always the first object reported.
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        *static_cast<HMODULE*>(data) = module_of_object(info);
        return 1;
      },
      &first);
  return first;
}

std::string module_file(HMODULE module) {
  if (!module) return executable_file();
  Search search{module, {}};
  dl_iterate_phdr(visit, &search);
  return search.found ? search.file : std::string();
}

}  // namespace winapi::posix
