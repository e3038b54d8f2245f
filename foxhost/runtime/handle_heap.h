// Movable blocks of host memory named by handles. A block's address stays
// put while it is locked; an unlocked block moves whenever it is resized, so
// an address kept past its unlock is caught at once. Handle numbers are never
// reused. Allocations and growths can be refused on demand. A new block, and
// the grown part of a resized one, hold no particular bytes (a library must
// not count on zeros), so large values are not cleared only to be overwritten.
// The storage of freed large blocks is kept for the next large ones, so that
// values of many megabytes passing through the host do not fault in fresh
// pages on every call.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "marlune/host/lck.h"

namespace foxhost {

class HandleHeap {
 public:
  // A new block, or 0 when the allocation is refused.
  MHANDLE Allocate(uint32_t size);
  // The host's own blocks (parameters): never refused; the bytes move in.
  MHANDLE AllocateForHost(std::string bytes);
  bool Free(MHANDLE handle);  // false when the handle is not alive

  bool Alive(MHANDLE handle) const { return blocks_.count(handle) != 0; }
  char* Data(MHANDLE handle);  // null when not alive
  uint32_t Size(MHANDLE handle) const;
  std::string Bytes(MHANDLE handle, uint32_t length);  // at most Size bytes

  // Keeps the contents; false when refused, or when a locked block would
  // have to move.
  bool Resize(MHANDLE handle, uint32_t size);

  bool Lock(MHANDLE handle);
  bool Unlock(MHANDLE handle);  // false when not alive or not locked
  int LockCount(MHANDLE handle) const;

  size_t LiveCount() const { return blocks_.size(); }
  std::vector<MHANDLE> LockedHandles() const;

  // Refuses the allocation or growth after the next `after` ones, once.
  void RefuseAllocation(int after = 0) { refuse_countdown_ = after; }

 private:
  // `storage` holds at least `size` bytes; its length is the capacity.
  struct Block {
    std::string storage;
    uint32_t size = 0;
    int locks = 0;
  };

  bool Granted();
  MHANDLE Insert(std::string storage, uint32_t size);
  // Storage of at least `size` bytes, from the spares when one fits.
  std::string Storage(size_t size);
  // Keeps freed large storage for the next large values, within a bound.
  void KeepSpare(std::string storage);

  std::map<MHANDLE, Block> blocks_;
  std::vector<std::string> spares_;
  size_t spare_bytes_ = 0;
  MHANDLE next_ = 1;
  int refuse_countdown_ = -1;
};

}  // namespace foxhost
