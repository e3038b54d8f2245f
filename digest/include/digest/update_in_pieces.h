// Feeding CMD5 more bytes than one Update can take (its length is 32-bit).
#pragma once

#include <digest/cmd5.h>

#include <cstddef>

namespace md5 {

// Updates `md5` with all `size` bytes at `data`, in pieces of at most 2 GiB.
void UpdateInPieces(CMD5& md5, const unsigned char* data, std::size_t size);

}  // namespace md5
