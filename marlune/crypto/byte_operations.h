// Byte operations shared by the ciphers and the text functions.
#pragma once

#include <cstddef>

namespace marlune::crypto {

// Reverses bytes [start, length) in place; the first `start` bytes stay.
// Nothing changes when fewer than two bytes lie in the range.
void ReverseTail(char* bytes, size_t length, size_t start);

}  // namespace marlune::crypto
