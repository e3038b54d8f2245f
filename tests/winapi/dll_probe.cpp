// A module that records its attach and detach notifications, one line each,
// in the file named by $DLL_PROBE_LOG: "attach <handle>" / "detach <handle>".
#include <winapi/dll_entry.h>
#include <winapi/windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

HINSTANCE g_instance = nullptr;

void record(const char* what, HINSTANCE instance) {
  const char* log = std::getenv("DLL_PROBE_LOG");
  if (!log) return;
  if (FILE* f = std::fopen(log, "a")) {
    std::fprintf(f, "%s %p\n", what, static_cast<void*>(instance));
    std::fclose(f);
  }
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_instance = instance;
      DisableThreadLibraryCalls(instance);
      record("attach", instance);
      return std::getenv("DLL_PROBE_REFUSE") ? FALSE : TRUE;
    case DLL_PROCESS_DETACH:
      record("detach", instance);
      break;
  }
  return TRUE;
}

WINAPI_DLL_ENTRY(DllMain)

extern "C" __attribute__((visibility("default"))) HINSTANCE probe_instance() { return g_instance; }

// Opens and closes a file through the module's own stand-in, so the module
// has used its code page converters before it is unloaded.
extern "C" __attribute__((visibility("default"))) bool probe_open(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Writes a value through the module's own registry and leaves the key open,
// so the module holds its registry database when it is unloaded.
extern "C" __attribute__((visibility("default"))) bool probe_registry() {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Probe", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return false;
  DWORD one = 1;
  return RegSetValueExA(key, "Loaded", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4) ==
         ERROR_SUCCESS;
}
