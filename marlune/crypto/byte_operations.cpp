#include "marlune/crypto/byte_operations.h"

#include <algorithm>

namespace marlune::crypto {

void ReverseTail(char* bytes, size_t length, size_t start) {
  if (start >= length) return;
  std::reverse(bytes + start, bytes + length);
}

}  // namespace marlune::crypto
