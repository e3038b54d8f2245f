// The local heap: fixed blocks from the C heap. A block is its own handle.
#include <cstdlib>

#include <winapi/winbase.h>
#include <winapi/winerror.h>

#include "posix/last_error.h"

using winapi::posix::fail_with;

HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes) {
  void* block = (uFlags & LMEM_ZEROINIT) ? std::calloc(1, uBytes ? uBytes : 1)
                                         : std::malloc(uBytes ? uBytes : 1);
  if (!block) return fail_with(ERROR_NOT_ENOUGH_MEMORY, HLOCAL(nullptr));
  return block;
}

HLOCAL WINAPI LocalFree(HLOCAL hMem) {
  std::free(hMem);
  return nullptr;
}
