#include "foxhost/runtime/handle_heap.h"

#include <algorithm>
#include <cstring>

namespace foxhost {

bool HandleHeap::Granted() {
  if (refuse_countdown_ < 0) return true;
  if (refuse_countdown_-- > 0) return true;
  return false;  // this one is refused; the countdown is now off
}

namespace {

// Storage below this size comes and goes through the allocator, which
// already reuses it cheaply.
constexpr size_t kLargeStorage = 1 << 20;
constexpr size_t kSpareBytesKept = size_t{256} << 20;

}  // namespace

std::string HandleHeap::Storage(size_t size) {
  if (size >= kLargeStorage) {
    // The smallest spare that fits and is not more than twice the size.
    auto best = spares_.end();
    for (auto it = spares_.begin(); it != spares_.end(); ++it) {
      if (it->size() >= size && it->size() / 2 <= size && (best == spares_.end() || it->size() < best->size()))
        best = it;
    }
    if (best != spares_.end()) {
      std::string storage = std::move(*best);
      spares_.erase(best);
      spare_bytes_ -= storage.size();
      return storage;
    }
  }
  return std::string(std::max<size_t>(size, 1), '\0');
}

void HandleHeap::KeepSpare(std::string storage) {
#if defined(__SANITIZE_ADDRESS__)
  // Under the address sanitizer freed blocks go back at once, so that an
  // address a library kept past a free is reported.
  return;
#endif
  if (storage.size() < kLargeStorage) return;
  if (storage.size() > kSpareBytesKept) return;
  while (spare_bytes_ + storage.size() > kSpareBytesKept) {
    spare_bytes_ -= spares_.front().size();
    spares_.erase(spares_.begin());
  }
  spare_bytes_ += storage.size();
  spares_.push_back(std::move(storage));
}

MHANDLE HandleHeap::Insert(std::string storage, uint32_t size) {
  MHANDLE handle = next_++;
  blocks_.emplace(handle, Block{std::move(storage), size, 0});
  return handle;
}

MHANDLE HandleHeap::Allocate(uint32_t size) { return Granted() ? Insert(Storage(size), size) : 0; }

MHANDLE HandleHeap::AllocateForHost(std::string bytes) {
  auto size = static_cast<uint32_t>(bytes.size());
  if (bytes.empty()) bytes.push_back('\0');  // every block has an address
  return Insert(std::move(bytes), size);
}

bool HandleHeap::Free(MHANDLE handle) {
  auto it = blocks_.find(handle);
  if (it == blocks_.end()) return false;
  KeepSpare(std::move(it->second.storage));
  blocks_.erase(it);
  return true;
}

char* HandleHeap::Data(MHANDLE handle) {
  auto it = blocks_.find(handle);
  return it == blocks_.end() ? nullptr : it->second.storage.data();
}

uint32_t HandleHeap::Size(MHANDLE handle) const {
  auto it = blocks_.find(handle);
  return it == blocks_.end() ? 0 : it->second.size;
}

std::string HandleHeap::Bytes(MHANDLE handle, uint32_t length) {
  auto it = blocks_.find(handle);
  if (it == blocks_.end()) return {};
  length = std::min(length, it->second.size);
  std::string bytes = length >= kLargeStorage ? Storage(length) : std::string();
  bytes.assign(it->second.storage.data(), length);
  return bytes;
}

bool HandleHeap::Resize(MHANDLE handle, uint32_t size) {
  auto it = blocks_.find(handle);
  if (it == blocks_.end()) return false;
  Block& block = it->second;
  if (size > block.size && !Granted()) return false;
  if (block.locks > 0) {
    if (size > block.storage.size()) return false;
    block.size = size;
    return true;
  }
  std::string moved = Storage(size);
  std::memcpy(moved.data(), block.storage.data(), std::min(size, block.size));
  KeepSpare(std::move(block.storage));
  block.storage = std::move(moved);
  block.size = size;
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
