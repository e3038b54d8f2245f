#include "marlune/crypto/byte_operations.h"

#include <algorithm>
#include <cstring>

namespace marlune::crypto {

int XorWithKeyPlus53(char* data, size_t count, const char* key) {
  // An empty key has no byte to cycle through: treated like no key at all.
  if (count == 0 || !key || key[0] == '\0') return 1;
  size_t key_length = std::strlen(key);
  for (size_t i = 0, k = 0; i < count; ++i) {
    auto mask = static_cast<unsigned char>(static_cast<unsigned char>(key[k]) + 53);
    data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) ^ mask);
    if (++k == key_length) k = 0;
  }
  return 0;
}

void ReverseTail(char* bytes, size_t length, size_t start) {
  if (start >= length) return;
  std::reverse(bytes + start, bytes + length);
}

void RotateBytesLeft(char* bytes, size_t length, size_t step) {
  if (step == 0 || step >= length) return;
  std::rotate(bytes, bytes + step, bytes + length);
}

void RotateBytesRight(char* bytes, size_t length, size_t step) {
  if (step == 0 || step >= length) return;
  std::rotate(bytes, bytes + (length - step), bytes + length);
}

}  // namespace marlune::crypto
