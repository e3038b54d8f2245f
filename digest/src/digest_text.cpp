#include <digest/digest_text.h>

#include <cstdio>

namespace md5 {

void WriteDigestText(const unsigned char* digest, char* text) {
  for (std::size_t i = 0; i < kDigestSize; ++i) {
    std::snprintf(text + 2 * i, 3, "%02x", digest[i]);
  }
}

std::string DigestText(const unsigned char* digest) {
  char text[kDigestTextLength + 1];
  WriteDigestText(digest, text);
  return std::string(text, kDigestTextLength);
}

std::string ShortDigestText(const unsigned char* digest) {
  return DigestText(digest).substr(8, kShortDigestTextLength);
}

}  // namespace md5
