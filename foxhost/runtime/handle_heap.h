// Movable blocks of host memory named by handles. A block's address stays
// put while it is locked; an unlocked block moves whenever it is resized, so
// an address kept past its unlock is caught at once. Handle numbers are never
// reused. Allocations and growths can be refused on demand.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "marlune/host/lck.h"

namespace foxhost {

class HandleHeap {
 public:
  // A new block, or 0 when the allocation is refused.
  MHANDLE Allocate(uint32_t size);
  // The host's own blocks (parameters, results): never refused.
  MHANDLE AllocateForHost(std::string_view bytes);
  bool Free(MHANDLE handle);  // false when the handle is not alive

  bool Alive(MHANDLE handle) const { return blocks_.count(handle) != 0; }
  char* Data(MHANDLE handle);  // null when not alive
  uint32_t Size(MHANDLE handle) const;
  std::string Bytes(MHANDLE handle, uint32_t length) const;  // at most Size bytes

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
  struct Block {
    std::unique_ptr<char[]> data;
    uint32_t size = 0;
    uint32_t capacity = 0;
    int locks = 0;
  };

  bool Granted();
  MHANDLE Insert(uint32_t size);

  std::map<MHANDLE, Block> blocks_;
  MHANDLE next_ = 1;
  int refuse_countdown_ = -1;
};

}  // namespace foxhost
