#include "marlune/host/results.h"

#include <cstring>

#include "marlune/host/host_errors.h"

namespace marlune::host {

CharacterBlock::CharacterBlock(std::string_view bytes) {
  MHANDLE handle = _AllocHand(static_cast<uint32_t>(bytes.size()));
  if (handle == 0) _Error(kErrorNoMemory);
  _HLock(handle);
  if (!bytes.empty()) std::memcpy(_HandToPtr(handle), bytes.data(), bytes.size());
  value_.ev_type = 'C';
  value_.ev_length = static_cast<uint32_t>(bytes.size());
  value_.ev_handle = handle;
}

CharacterBlock::~CharacterBlock() {
  _HUnLock(value_.ev_handle);
  _FreeHand(value_.ev_handle);
}

void ReturnBytes(std::string_view bytes) {
  CharacterBlock block(bytes);
  _RetVal(block.value());
}

}  // namespace marlune::host
