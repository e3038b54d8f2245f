// XTEncryptTxt1: deciphering any text, and enciphering any text and
// deciphering it back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "marlune/crypto/text_ciphers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);

  // Any text deciphers to at most 3 bytes per 4 characters of its Base64
  // part (the text less the 4-character suffix), with no NUL inside.
  std::string plain = marlune::crypto::DecryptTxt1(text, size);
  if (size < 4) {
    FUZZ_CHECK(plain.empty());
  } else {
    FUZZ_CHECK(plain.size() <= (size - 4 + 3) / 4 * 3);
  }
  FUZZ_CHECK(plain.find('\0') == std::string::npos);

  // Any bytes encipher to Base64 and the suffix, and decipher back up to their first NUL.
  std::string encrypted = marlune::crypto::EncryptTxt1(text, size);
  FUZZ_CHECK(encrypted.size() == (size == 0 ? 0 : (size + 2) / 3 * 4 + 4));
  FUZZ_CHECK(marlune::crypto::DecryptTxt1(encrypted.data(), encrypted.size()) == std::string(text, strnlen(text, size)));
  return 0;
}
