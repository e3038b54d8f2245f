// MD5String and PrintMD5: the digest texts and who owns them.
#include <gtest/gtest.h>
#include <md5lib.h>

#include <cstring>
#include <string>

#include "openssl_md5.h"
#include "owned_text.h"

namespace {

using Text = OwnedText;

TEST(MD5String, GivesTheRfc1321TestValues) {
  struct Row {
    const char* input;
    const char* digest;
  };
  const Row rows[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890"
       "123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Row& row : rows) EXPECT_EQ(Text(MD5String(row.input)).str(), row.digest) << row.input;
}

TEST(MD5String, HashesHighBytesAsTheyAreAndStopsAtNul) {
  const char text[] = "\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7\0ignored";
  EXPECT_EQ(Text(MD5String(text)).str(), oracle::Md5Hex(text, std::strlen(text)));
}

TEST(PrintMD5, FormatsEachByteAsTwoLowerCaseDigits) {
  unsigned char zeros[16] = {};
  unsigned char ab[16];
  std::memset(ab, 0xAB, sizeof ab);
  EXPECT_EQ(Text(PrintMD5(zeros)).str(), std::string(32, '0'));
  EXPECT_EQ(Text(PrintMD5(ab)).str(), "abababababababababababababababab");
}

TEST(MD5String, EachCallReturnsItsOwnAllocation) {
  Text first(MD5String("abc")), second(MD5String("abc"));
  ASSERT_TRUE(first.owned && second.owned);
  EXPECT_NE(first.owned.get(), second.owned.get());
  EXPECT_EQ(first.str(), second.str());

  unsigned char digest[16] = {1};
  Text third(PrintMD5(digest)), fourth(PrintMD5(digest));
  ASSERT_TRUE(third.owned && fourth.owned);
  EXPECT_NE(third.owned.get(), fourth.owned.get());
}

// The class as the library exports it, used the way a C++ client would.
TEST(MD5LibClass, DigestFedInPiecesMatchesMD5String) {
  const char text[] = "The quick brown fox jumps over the lazy dog";
  CMD5 md5;
  for (const char* p = text; *p != '\0'; ++p) {
    md5.Update(reinterpret_cast<unsigned char*>(const_cast<char*>(p)), 1);
  }
  md5.Finalize();
  EXPECT_EQ(Text(PrintMD5(md5.Digest())).str(), "9e107d9d372bb6826bd81d3542a419d6");
  EXPECT_EQ(Text(MD5String(text)).str(), "9e107d9d372bb6826bd81d3542a419d6");
}

}  // namespace
