// A test with its own prefix that opens files through CreateFileA, with
// last-error set to a sentinel before each open.
#pragma once

#include <winapi/windows.h>

#include <string>

#include "prefix_fixture.h"

constexpr DWORD kSentinel = 0xDEADBEEF;

class FileTest : public PrefixTest {
 protected:
  static HANDLE open(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                     DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    SetLastError(kSentinel);
    return CreateFileA(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
  }
};
