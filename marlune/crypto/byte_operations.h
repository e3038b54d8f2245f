// Byte operations shared by the ciphers and the text functions.
#pragma once

#include <cstddef>

namespace marlune::crypto {

// data[i] ^= key[i mod L] + 53 (mod 256), L the key's length up to its NUL.
// Returns 1 and changes nothing when count is 0, the key is null or the key
// is empty; otherwise returns 0.
int XorWithKeyPlus53(char* data, size_t count, const char* key);

// Reverses bytes [start, length) in place; the first `start` bytes stay.
// Nothing changes when fewer than two bytes lie in the range.
void ReverseTail(char* bytes, size_t length, size_t start);

// When step < length: the first `step` bytes move to the end (left) or the
// last `step` bytes move to the front (right). Otherwise nothing changes.
void RotateBytesLeft(char* bytes, size_t length, size_t step);
void RotateBytesRight(char* bytes, size_t length, size_t step);

}  // namespace marlune::crypto
