// The byte-block cipher, encrypted buffers and encrypted batches.
#include <string>

#include "marlune/crypto/block_cipher.h"
#include "tests/marlune/crypto/crypto_fixture.h"

namespace foxhost {
namespace {

TEST(BlockCipher, ScrambleGivesTheKnownBytesAndUnscrambleUndoesIt) {
  unsigned char bytes[] = {0x01, 0x01};
  marlune::crypto::ScrambleBytes(bytes, 2);
  EXPECT_EQ(bytes[0], 0x0D);
  EXPECT_EQ(bytes[1], 0x8F);
  marlune::crypto::UnscrambleBytes(bytes, 2);
  EXPECT_EQ(bytes[0], 0x01);
  EXPECT_EQ(bytes[1], 0x01);
}

using BufferTest = CryptoTest;

FoxValue Encrypt(testing::TestHost& host, const std::string& data, const std::string& key) {
  return host.Call("XTEncryptFileBuffer2", {C(data), C(key), I(1)});
}
FoxValue Decrypt(testing::TestHost& host, const std::string& data, const std::string& key) {
  return host.Call("XTEncryptFileBuffer2", {C(data), C(key), I(0)});
}

TEST_F(BufferTest, RoundTripsEveryLengthAndAwkwardKeys) {
  std::mt19937 random(6);
  const std::string keys[] = {"secret", std::string("a\x1E" "bc"), std::string("\x87" "xyz"), "k"};
  for (const std::string& key : keys) {
    for (size_t length = 1; length <= 300; ++length) {
      std::string plain = RandomBytes(random, length);
      FoxValue encrypted = Encrypt(host, plain, key);
      ASSERT_EQ(encrypted.text.size(), length + 84) << length;
      ASSERT_NE(encrypted.text.substr(0, length), plain);
      ASSERT_EQ(Decrypt(host, encrypted.text, key), C(plain)) << length;
    }
  }
  std::string large = RandomBytes(random, 1 << 20);
  EXPECT_EQ(Decrypt(host, Encrypt(host, large, "big").text, "big"), C(large));
}

TEST_F(BufferTest, TamperingWrongKeysAndShortInputsGiveEmpty) {
  std::string plain = "The payload of a buffer.";
  std::string encrypted = Encrypt(host, plain, "key").text;
  for (size_t i = plain.size(); i < encrypted.size(); ++i) {
    std::string changed = encrypted;
    changed[i] ^= 0x01;
    EXPECT_EQ(Decrypt(host, changed, "key"), C("")) << i;
  }
  std::string changed = encrypted;
  changed[3] ^= 0x40;
  std::string expected = plain;
  expected[3] ^= 0x40;
  EXPECT_EQ(Decrypt(host, changed, "key"), C(expected));
  EXPECT_EQ(Decrypt(host, encrypted, "kez"), C(""));
  EXPECT_EQ(Decrypt(host, encrypted.substr(1), "key"), C(""));  // length no longer matches
  EXPECT_EQ(Decrypt(host, std::string(84, 'x'), "key"), C(""));
  EXPECT_EQ(Decrypt(host, "short", "key"), C(""));
  for (int mode : {0, 1}) {
    EXPECT_EQ(host.Call("XTEncryptFileBuffer2", {C(""), C("key"), I(mode)}), C(""));
    EXPECT_EQ(host.Call("XTEncryptFileBuffer2", {C(encrypted), C(""), I(mode)}), C(""));
  }
}

TEST_F(BufferTest, BatchRunsEachNonEmptyLineInOrderUpToNul) {
  std::string batch("n = 1\r\nn = n * 10 + 2\r\n\r\n\n  n = n * 10 + 3  \nn = n * 10 + 4");
  batch += std::string("\0\nn = 0", 7);
  SetVariable("block", batch);
  host.Call("XTEncryptByteBlock2", {Argument::Reference("block")});
  std::string block = Text("block");
  ASSERT_EQ(block.size(), batch.size());
  EXPECT_NE(block, batch);
  host.Execute("n = 0");
  host.Call("XTRunFoxBatch2", {C(block)});
  EXPECT_EQ(host.Evaluate("n"), host.Evaluate("1234"));
}

TEST_F(BufferTest, ByteBlockRejectsNonCharacterVariables) {
  host.Execute("v = 5");
  EXPECT_EQ(host.CallFails("XTEncryptByteBlock2", {Argument::Reference("v")}).number(), 9);
  EXPECT_EQ(host.Evaluate("v"), host.Evaluate("5"));
}

// A library built without its key stream resource says so and enciphers
// nothing, in either direction, on every call.
TEST(BufferWithoutKeyStream, ShowsTheMessageAndGivesEmpty) {
  testing::TestHost host(MARLUNE_WITHOUT_KEY_STREAM);
  for (int mode : {1, 0}) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(host.Call("XTEncryptFileBuffer2", {C(std::string(100, 'x')), C("key"), I(mode)}), C(""));
    std::string shown = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(shown.find("Fll Resource Invalid !!!"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Velko_fll by dorvaine"), std::string::npos) << shown;
  }
}

}  // namespace
}  // namespace foxhost
