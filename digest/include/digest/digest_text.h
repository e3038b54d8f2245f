// The two text forms of a 16-byte MD5 digest.
//
// Digest text: 32 lower-case hexadecimal digits, two per byte, high digit
// first, bytes in order. Short digest text: its characters 9 to 24
// (counting from 1), that is digest bytes 4 to 11.
#pragma once

#include <cstddef>
#include <string>

namespace md5 {

inline constexpr std::size_t kDigestSize = 16;
inline constexpr std::size_t kDigestTextLength = 32;
inline constexpr std::size_t kShortDigestTextLength = 16;

// Writes the digest text and a terminator: text must hold 33 bytes.
void WriteDigestText(const unsigned char* digest, char* text);

std::string DigestText(const unsigned char* digest);
std::string ShortDigestText(const unsigned char* digest);

}  // namespace md5
