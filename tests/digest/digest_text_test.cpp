#include <digest/digest_text.h>
#include <gtest/gtest.h>

namespace {

TEST(DigestText, FormsOfKnownDigests) {
  struct Row {
    unsigned char digest[16];
    const char* text;
    const char* short_text;
  };
  const Row rows[] = {
      {{0xd4, 0x1d, 0x8c, 0xd9, 0x8f, 0x00, 0xb2, 0x04, 0xe9, 0x80, 0x09, 0x98, 0xec, 0xf8, 0x42,
        0x7e},
       "d41d8cd98f00b204e9800998ecf8427e", "8f00b204e9800998"},
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
       "000102030405060708090a0b0c0d0e0f", "0405060708090a0b"},
      {{0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB,
        0xFF},
       "abababababababababababababababff", "abababababababab"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(md5::DigestText(row.digest), row.text);
    EXPECT_EQ(md5::ShortDigestText(row.digest), row.short_text);
  }
}

}  // namespace
