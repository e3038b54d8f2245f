// Handing a registered function's one result back to the host. Each is
// called after every read of parameter memory is done; the host copies
// what it needs before the call returns.
#pragma once

#include <cstdint>
#include <string_view>

#include "marlune/host/lck.h"

namespace marlune::host {

inline void ReturnLogical(bool flag) { _RetLogical(flag ? 1 : 0); }
inline void ReturnInt(int32_t value, int width) { _RetInt(value, width); }

// Text up to its first NUL.
inline void ReturnText(const char* text) { _RetChar(text); }

// A byte buffer of known length (NUL bytes allowed), through a block of our own.
void ReturnBytes(std::string_view bytes);

// A character value in a block the library allocated: the block holds
// exactly the bytes (no NUL), is locked only while filled, and is freed when
// the object goes, once the host has taken its copy (`_RetVal`, `_Store`).
// Raises 182 when no block can be had.
class CharacterBlock {
 public:
  explicit CharacterBlock(std::string_view bytes);
  ~CharacterBlock();
  CharacterBlock(const CharacterBlock&) = delete;
  CharacterBlock& operator=(const CharacterBlock&) = delete;

  Value* value() { return &value_; }

 private:
  Value value_{};
};

}  // namespace marlune::host
