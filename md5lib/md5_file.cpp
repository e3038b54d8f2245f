// MD5File: the file is mapped whole and hashed straight from the view.
#include <digest/update_in_pieces.h>
#include <winapi/windows.h>

#include <cstdint>
#include <memory>

#include "md5lib.h"

namespace {

// Kernel handles and views released when they go out of scope.
struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct ViewUnmapper {
  void operator()(const void* view) const { UnmapViewOfFile(view); }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;
using ScopedView = std::unique_ptr<const void, ViewUnmapper>;

// Feeds the whole content of the file at `path` to `md5`. Handles are
// released in the reverse order of opening: view, mapping, file.
bool HashFile(const char* path, CMD5& md5) {
  HANDLE opened = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  ScopedHandle file(opened);
  // An empty file cannot be mapped: that failure is reported like any other.
  ScopedHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return false;
  ScopedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return false;

  // The whole size, high part included: a file of 4 GiB or more is hashed
  // to its end, not to its size modulo 4 GiB.
  SetLastError(NO_ERROR);
  DWORD high = 0;
  const DWORD low = GetFileSize(file.get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
  const std::uint64_t size = std::uint64_t{high} << 32 | low;
  if (size > SIZE_MAX) return false;  // cannot have been mapped whole

  md5::UpdateInPieces(md5, static_cast<const unsigned char*>(view.get()),
                      static_cast<std::size_t>(size));
  return true;
}

}  // namespace

extern "C" char* MD5LIB_CALL MD5File(const char* path) {
  CMD5 md5;
  if (!HashFile(path, md5)) return nullptr;
  md5.Finalize();
  return PrintMD5(md5.Digest());
}
