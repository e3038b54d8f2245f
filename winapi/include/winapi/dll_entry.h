// Gives a shared object what its DllMain gives a Windows DLL: the process
// attach notification when the module is loaded and the detach notification
// when it is unloaded (or the process ends), with the module's handle.
//
// A module names its entry point once, at namespace scope:
//
//   BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
//   WINAPI_DLL_ENTRY(DllMain)
//
// Modules are built with -fno-gnu-unique so that the last dlclose really
// unloads them and the detach notification comes at that moment.
#pragma once

#include <winapi/libloaderapi.h>

#if defined(_WIN32)

#define WINAPI_DLL_ENTRY(entry)

#else

namespace winapi::posix {

using DllEntryProc = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

// `anchor` is any address inside the module; it identifies the module.
// A module whose attach answers FALSE is detached at once, as on Windows,
// and is not notified again when it unloads.
void dll_process_attach(DllEntryProc entry, const void* anchor, bool* attached);
void dll_process_detach(DllEntryProc entry, const void* anchor, bool* attached);

}  // namespace winapi::posix

#define WINAPI_DLL_ENTRY(entry)                                                            \
  namespace {                                                                              \
  bool winapi_dll_attached_ = false;                                                       \
  __attribute__((constructor)) void winapi_dll_attach_() {                                 \
    ::winapi::posix::dll_process_attach(&(entry), reinterpret_cast<const void*>(&winapi_dll_attach_), \
                                        &winapi_dll_attached_);                            \
  }                                                                                        \
  __attribute__((destructor)) void winapi_dll_detach_() {                                  \
    ::winapi::posix::dll_process_detach(&(entry), reinterpret_cast<const void*>(&winapi_dll_attach_), \
                                        &winapi_dll_attached_);                            \
  }                                                                                        \
  }

#endif
