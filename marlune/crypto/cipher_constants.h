// The fixed constants of the block cipher. Blocks and buffers made by one
// build open only in builds that share them, so they never change.
#pragma once

#include <cstddef>

namespace marlune::crypto {

extern const unsigned char kBatchSeed[125];
extern const char kSubstitutionAlphabet[66];  // 65 characters and a NUL

}  // namespace marlune::crypto
