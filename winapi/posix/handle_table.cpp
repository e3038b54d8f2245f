#include "posix/handle_table.h"

#include <cstdint>
#include <mutex>
#include <vector>

#include "posix/module_state.h"

namespace winapi::posix {
namespace {

// A handle value is ((generation << 20) | (slot + 1)) << 2: never 0, never
// all ones, and a multiple of 4 like Windows handles.
constexpr uintptr_t kSlotBits = 20;
constexpr uintptr_t kSlotMask = (uintptr_t{1} << kSlotBits) - 1;
constexpr size_t kMaxSlots = kSlotMask;  // slot + 1 must fit

struct Slot {
  std::shared_ptr<KernelObject> object;
  uintptr_t generation = 0;
};

struct Table {
  std::mutex mutex;
  std::vector<Slot> slots;
  std::vector<size_t> free_slots;
};

Table* table() { return module_state<Table>(); }

HANDLE encode(size_t slot, uintptr_t generation) {
  uintptr_t value = ((generation << kSlotBits) | (slot + 1)) << 2;
  return reinterpret_cast<HANDLE>(value);
}

// The slot a handle names, when its generation is current.
Slot* decode(Table& t, HANDLE handle) {
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if (value == 0 || (value & 3) != 0) return nullptr;
  value >>= 2;
  uintptr_t slot_plus_one = value & kSlotMask;
  if (slot_plus_one == 0 || slot_plus_one > t.slots.size()) return nullptr;
  Slot& slot = t.slots[slot_plus_one - 1];
  if (!slot.object || slot.generation != (value >> kSlotBits)) return nullptr;
  return &slot;
}

}  // namespace

HANDLE insert_handle(std::shared_ptr<KernelObject> object) {
  Table* live = table();
  if (!live) return nullptr;
  Table& t = *live;
  std::lock_guard lock(t.mutex);
  size_t index;
  if (!t.free_slots.empty()) {
    index = t.free_slots.back();
    t.free_slots.pop_back();
  } else {
    if (t.slots.size() >= kMaxSlots) return nullptr;
    index = t.slots.size();
    t.slots.emplace_back();
  }
  Slot& slot = t.slots[index];
  // Generations wrap within what the handle value can carry.
  slot.generation = (slot.generation + 1) & ((~uintptr_t{0}) >> (kSlotBits + 3));
  slot.object = std::move(object);
  return encode(index, slot.generation);
}

std::shared_ptr<KernelObject> lookup_handle(HANDLE handle) {
  Table* live = table();
  if (!live) return nullptr;
  Table& t = *live;
  std::lock_guard lock(t.mutex);
  Slot* slot = decode(t, handle);
  return slot ? slot->object : nullptr;
}

std::shared_ptr<KernelObject> remove_handle(HANDLE handle) {
  Table* live = table();
  if (!live) return nullptr;
  Table& t = *live;
  std::shared_ptr<KernelObject> object;
  {
    std::lock_guard lock(t.mutex);
    Slot* slot = decode(t, handle);
    if (!slot) return nullptr;
    object = std::move(slot->object);
    slot->object.reset();
    t.free_slots.push_back(static_cast<size_t>(slot - t.slots.data()));
  }
  return object;  // destroyed outside the lock
}

}  // namespace winapi::posix
