// The module's entry point: start-up at process attach, shutdown at detach.
#include <winapi/dll_entry.h>
#include <winapi/windows.h>

#include "marlune/host/library_state.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(instance);
      marlune::host::StartLibrary(instance);
      break;
    case DLL_PROCESS_DETACH:
      marlune::host::StopLibrary();
      break;
  }
  return TRUE;
}
WINAPI_DLL_ENTRY(DllMain)
