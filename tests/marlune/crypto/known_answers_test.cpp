// Outputs of reference/ciphers.py, an independent model of the ciphers, for
// fixed inputs and this library's constants. Round trips cannot catch a
// wrong key substitution, record layout or fixed key; these can.
#include <string>

#include "marlune/crypto/block_cipher.h"
#include "tests/marlune/crypto/crypto_fixture.h"

namespace foxhost {
namespace {

std::string Hex(std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

std::string Hex(const unsigned char* bytes, size_t count) {
  return Hex(std::string_view(reinterpret_cast<const char*>(bytes), count));
}

TEST(KnownAnswers, BatchKeyAndCheckRecord) {
  unsigned char key[marlune::crypto::kBatchKeyLength + 1];
  marlune::crypto::BuildBatchKey(key);
  EXPECT_EQ(Hex(key, marlune::crypto::kBatchKeyLength),
            "317068666b4c4e62676576576746326c6a65506166537a31757449625a51513743686e727450784d774a422b44477a55"
            "425567336644387a31652f65337a757570317a6f4e646a4c466c6b6357694b56434734777370646f675a6e3255504d"
            "6f54545537506734484a45646642796241343864474252416e41364d3d4a");
  EXPECT_EQ(key[marlune::crypto::kBatchKeyLength], 0);

  unsigned char record[marlune::crypto::kCheckRecordSize];
  marlune::crypto::BuildCheckRecord(record, 24, "key");
  EXPECT_EQ(Hex(record, sizeof record),
            "f2fbfb7aa328a02d94b2c4b0683781e6919b29b4d84c37bad4b6689b9db2913b90c93762cf19cc9df4a808ab322ef3"
            "7c35982b9a70663739d69d641a3bb2951180e29f6665b462b18419ca3368b7914e53294728");
}

using KnownAnswerTest = CryptoTest;

TEST_F(KnownAnswerTest, EncryptedBuffersBatchesAndTxt2) {
  EXPECT_EQ(Hex(host.Call("XTEncryptFileBuffer2", {C("The payload of a buffer."), C("key"), I(1)}).text),
            "f1141937155320a0a6f91d8980591727a673ed8f2aed61cdc699ca4dc74c9219f58ba5d65b02b582f0a34883e17501"
            "83b7840eaaafd7a70ea4ab0655ab7dfea9959169cd011bc71854a04aad495f0100b5af022b09d7a324b480ae5101d0"
            "5085e520ab555b82a52a3211261f");
  // Scrambling turns the 0x1E in position 1 into a zero byte.
  EXPECT_EQ(Hex(host.Call("XTEncryptFileBuffer2", {C("abc"), C("a\x1E" "bc"), I(1)}).text),
            "954b1b981b26cc74493a9f0c8efed7fe06e3060a02fd21e88b128240f802d4f3a2a386fa29ead41878562f6c9432cc"
            "921f919cac01f1a14c8c0c2b5a790a575d0badad58aaec7d1c55f886a00e50d55e85f5aec8b093bd");

  SetVariable("batch", "n = 1\r\nn = 2");
  host.Call("XTEncryptByteBlock2", {Argument::Reference("batch")});
  EXPECT_EQ(Hex(Text("batch")), "be28aa23b4a088068e2cacb2");

  SetVariable("fixed", "attack at dawn");
  host.Call("XTEncryptTxt2", {Argument::Reference("fixed")});
  EXPECT_EQ(Hex(Text("fixed")), "eed21d0ee4cf8bf7d6bac503f7f4");
  SetVariable("keyed", "attack at dawn");
  host.Call("XTEncryptTxt2", {Argument::Reference("keyed"), C("key")});
  EXPECT_EQ(Hex(Text("keyed")), "c1eedac1f9c580fbda80fecfd7f4");
}

}  // namespace
}  // namespace foxhost
