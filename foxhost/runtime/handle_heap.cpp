#include "foxhost/runtime/handle_heap.h"

#include <algorithm>
#include <cstring>

namespace foxhost {

bool HandleHeap::Granted() {
  if (refuse_countdown_ < 0) return true;
  if (refuse_countdown_-- > 0) return true;
  return false;  // this one is refused; the countdown is now off
}

MHANDLE HandleHeap::Insert(uint32_t size) {
  Block block;
  block.data = std::make_unique<char[]>(std::max<uint32_t>(size, 1));
  block.size = size;
  block.capacity = size;
  MHANDLE handle = next_++;
  blocks_.emplace(handle, std::move(block));
  return handle;
}

MHANDLE HandleHeap::Allocate(uint32_t size) { return Granted() ? Insert(size) : 0; }

MHANDLE HandleHeap::AllocateForHost(std::string_view bytes) {
  MHANDLE handle = Insert(static_cast<uint32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(Data(handle), bytes.data(), bytes.size());
  return handle;
}

bool HandleHeap::Free(MHANDLE handle) { return blocks_.erase(handle) != 0; }

char* HandleHeap::Data(MHANDLE handle) {
  auto it = blocks_.find(handle);
  return it == blocks_.end() ? nullptr : it->second.data.get();
}

uint32_t HandleHeap::Size(MHANDLE handle) const {
  auto it = blocks_.find(handle);
  return it == blocks_.end() ? 0 : it->second.size;
}

std::string HandleHeap::Bytes(MHANDLE handle, uint32_t length) const {
  auto it = blocks_.find(handle);
  if (it == blocks_.end()) return {};
  return std::string(it->second.data.get(), std::min(length, it->second.size));
}

bool HandleHeap::Resize(MHANDLE handle, uint32_t size) {
  auto it = blocks_.find(handle);
  if (it == blocks_.end()) return false;
  Block& block = it->second;
  if (size > block.size && !Granted()) return false;
  if (block.locks > 0) {
    if (size > block.capacity) return false;
    block.size = size;
    return true;
  }
  auto moved = std::make_unique<char[]>(std::max<uint32_t>(size, 1));
  std::memcpy(moved.get(), block.data.get(), std::min(size, block.size));
  block.data = std::move(moved);
  block.size = size;
  block.capacity = size;
  return true;
}

bool HandleHeap::Lock(MHANDLE handle) {
  auto it = blocks_.find(handle);
  if (it == blocks_.end()) return false;
  ++it->second.locks;
  return true;
}

bool HandleHeap::Unlock(MHANDLE handle) {
  auto it = blocks_.find(handle);
  if (it == blocks_.end() || it->second.locks == 0) return false;
  --it->second.locks;
  return true;
}

int HandleHeap::LockCount(MHANDLE handle) const {
  auto it = blocks_.find(handle);
  return it == blocks_.end() ? 0 : it->second.locks;
}

std::vector<MHANDLE> HandleHeap::LockedHandles() const {
  std::vector<MHANDLE> locked;
  for (const auto& [handle, block] : blocks_)
    if (block.locks > 0) locked.push_back(handle);
  return locked;
}

}  // namespace foxhost
