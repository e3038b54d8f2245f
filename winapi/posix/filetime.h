// Times as FILETIME: 100-nanosecond intervals since 1601-01-01 UTC.
#pragma once

#include <time.h>

#include <winapi/windef.h>

namespace winapi::posix {

inline FILETIME to_filetime(const timespec& t) {
  constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
  const uint64_t ticks = static_cast<uint64_t>((t.tv_sec + kSecondsFrom1601To1970) * 10000000LL +
                                               t.tv_nsec / 100);
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace winapi::posix
