// Digest texts of byte ranges and files, the key material of the ciphers.
// Every output buffer holds 33 bytes: 32 lower-case hexadecimal digits and
// a terminating NUL.
#pragma once

#include <cstdint>

namespace marlune::crypto {

inline constexpr unsigned kMd5TextSize = 33;

// The digest text of `count` bytes at `bytes`; a null output does nothing.
void Md5TextOfBuffer(char* output, const void* bytes, uint32_t count);

// The digest text of a file's contents (the path is a Windows path), or an
// empty text when the file cannot be opened or a read fails part way.
void Md5TextOfFile(char* output, const char* path);

// Md5TextOfBuffer with each of the 16 adjacent character pairs exchanged.
void SwappedMd5Text(char* output, const void* bytes, uint32_t count);

}  // namespace marlune::crypto
