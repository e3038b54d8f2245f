// The text transformation of XTEncryptTxt1: Base64, a fixed suffix and a
// permutation of the characters.
#pragma once

#include <cstddef>
#include <string>

namespace marlune::crypto {

// The enciphered text of `length` bytes (NUL bytes included); "" when length is 0.
std::string EncryptTxt1(const char* text, size_t length);
// The deciphered text up to its first NUL; "" when the text is shorter than the suffix.
std::string DecryptTxt1(const char* text, size_t length);

}  // namespace marlune::crypto
