// The MD5 compression function over a run of whole 64-byte blocks.
#pragma once

#include <cstddef>

namespace md5 {

// Folds `blocks` consecutive 64-byte blocks at `data` into the chaining
// value `state` (four words A, B, C, D).
void Compress(unsigned int* state, const unsigned char* data, std::size_t blocks);

}  // namespace md5
