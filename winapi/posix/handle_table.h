// Kernel object handles. A HANDLE is an index into one process-wide table plus
// a generation count, so a closed, stale or foreign handle is recognised and
// answered with ERROR_INVALID_HANDLE instead of touching freed memory.
#pragma once

#include <memory>

#include <winapi/windef.h>

namespace winapi::posix {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// Stores `object` and returns its new handle (never NULL, never
// INVALID_HANDLE_VALUE). Returns NULL when the table is full.
HANDLE insert_handle(std::shared_ptr<KernelObject> object);

// The object behind `handle`, or null when the handle is not open.
std::shared_ptr<KernelObject> lookup_handle(HANDLE handle);

// The object behind `handle` when it is open and of type T, else null.
template <typename T>
std::shared_ptr<T> lookup_handle_as(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(lookup_handle(handle));
}

// Removes `handle` from the table and returns what it held (null when the
// handle was not open). The object is destroyed when the last user lets go.
std::shared_ptr<KernelObject> remove_handle(HANDLE handle);

}  // namespace winapi::posix
