#include "posix/icu_library.h"

#include <dlfcn.h>
#include <unicode/ucnv.h>
#include <unicode/ucol.h>

#include <mutex>

namespace winapi::posix {
namespace {

void pin_library_of(const void* symbol) {
  Dl_info info;
  if (dladdr(symbol, &info) && info.dli_fname)
    dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);  // a reference that is never dropped
}

}  // namespace

void keep_icu_loaded() {
  static std::once_flag pinned;
  std::call_once(pinned, [] {
    pin_library_of(reinterpret_cast<const void*>(&ucnv_open));  // the common library
    pin_library_of(reinterpret_cast<const void*>(&ucol_open));  // internationalisation
  });
}

}  // namespace winapi::posix
