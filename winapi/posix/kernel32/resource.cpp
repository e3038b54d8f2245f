// FindResourceA, LoadResource, SizeofResource, LockResource over the
// resources modules declare (resources.h), and MessageBoxA on standard error.
#include "posix/resources.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include <winapi/errhandlingapi.h>
#include <winapi/libloaderapi.h>
#include <winapi/winerror.h>
#include <winapi/winuser.h>

#include "posix/module.h"

namespace winapi::posix {
namespace {

struct Resource {
  const ResourceDeclaration* owner;  // null: a free slot
  const char* type;
  uint16_t id;
  const void* bytes;
  size_t size;
  HMODULE module;
};

// Few modules declare few resources; trivially destructible on purpose.
constexpr size_t kMaxResources = 32;
Resource g_resources[kMaxResources];
std::mutex g_mutex;

bool NameMatches(LPCSTR wanted, const char* type) {
  return !IS_INTRESOURCE(wanted) && strcmp(wanted, type) == 0;
}

}  // namespace

ResourceDeclaration::ResourceDeclaration(const char* type, uint16_t id, const void* bytes, size_t size) {
  std::lock_guard lock(g_mutex);
  for (Resource& slot : g_resources) {
    if (slot.owner == nullptr) {
      slot = {this, type, id, bytes, size, module_of_address(bytes)};
      return;
    }
  }
}

ResourceDeclaration::~ResourceDeclaration() {
  std::lock_guard lock(g_mutex);
  for (Resource& slot : g_resources) {
    if (slot.owner == this) slot = {};
  }
}

}  // namespace winapi::posix

using winapi::posix::g_mutex;
using winapi::posix::g_resources;

extern "C" {

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  if (IS_INTRESOURCE(lpName) && lpType != nullptr) {
    HMODULE module = hModule != nullptr ? hModule : winapi::posix::executable_module();
    uint16_t id = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(lpName));
    std::lock_guard lock(g_mutex);
    for (auto& slot : g_resources) {
      if (slot.owner != nullptr && slot.module == module && slot.id == id &&
          winapi::posix::NameMatches(lpType, slot.type)) {
        return reinterpret_cast<HRSRC>(&slot);
      }
    }
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE /*hModule*/, HRSRC hResInfo) {
  if (hResInfo == nullptr) return nullptr;
  return const_cast<void*>(reinterpret_cast<winapi::posix::Resource*>(hResInfo)->bytes);
}

DWORD WINAPI SizeofResource(HMODULE /*hModule*/, HRSRC hResInfo) {
  if (hResInfo == nullptr) return 0;
  return static_cast<DWORD>(reinterpret_cast<winapi::posix::Resource*>(hResInfo)->size);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

int WINAPI MessageBoxA(HWND /*hWnd*/, LPCSTR lpText, LPCSTR lpCaption, UINT /*uType*/) {
  fprintf(stderr, "%s: %s\n", lpCaption != nullptr ? lpCaption : "Error", lpText != nullptr ? lpText : "");
  return IDOK;
}

}  // extern "C"
