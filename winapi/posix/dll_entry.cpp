#include <winapi/dll_entry.h>

#include "posix/module.h"

namespace winapi::posix {

void dll_process_attach(DllEntryProc entry, const void* anchor, bool* attached) {
  auto instance = reinterpret_cast<HINSTANCE>(module_of_address(anchor));
  *attached = entry(instance, DLL_PROCESS_ATTACH, nullptr) != FALSE;
  // A refused attach is followed by the detach notification straight away.
  if (!*attached) entry(instance, DLL_PROCESS_DETACH, nullptr);
}

void dll_process_detach(DllEntryProc entry, const void* anchor, bool* attached) {
  if (!*attached) return;
  *attached = false;
  entry(reinterpret_cast<HINSTANCE>(module_of_address(anchor)), DLL_PROCESS_DETACH, nullptr);
}

}  // namespace winapi::posix
