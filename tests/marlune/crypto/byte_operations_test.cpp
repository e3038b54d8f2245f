// The byte operations the ciphers share, called directly.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "marlune/crypto/base64_codec.h"
#include "marlune/crypto/byte_operations.h"

namespace marlune::crypto {
namespace {

TEST(ByteOperations, RotationsMoveTheStepAndLeaveLongStepsAlone) {
  struct Row {
    const char* bytes;
    size_t step;
    const char* left;
    const char* right;
  };
  const Row rows[] = {
      {"abcdef", 1, "bcdefa", "fabcde"},
      {"abcdef", 2, "cdefab", "efabcd"},
      {"abcdef", 5, "fabcde", "bcdefa"},
      {"abcdef", 6, "abcdef", "abcdef"},
      {"abcdef", 9, "abcdef", "abcdef"},
      {"a", 0, "a", "a"},
      {"", 1, "", ""},
  };
  for (const Row& row : rows) {
    std::string left = row.bytes, right = row.bytes;
    RotateBytesLeft(left.data(), left.size(), row.step);
    RotateBytesRight(right.data(), right.size(), row.step);
    EXPECT_EQ(left, row.left) << row.bytes << " by " << row.step;
    EXPECT_EQ(right, row.right) << row.bytes << " by " << row.step;
  }
}

TEST(ByteOperations, XorWithKeyPlus53CyclesTheKeyAndRefusesNoKey) {
  std::string data("\x00\x00\x00\x10\xFF", 5);
  // 'A' + 53 = 0x76, '\xCB' + 53 wraps to 0: that byte stays.
  EXPECT_EQ(XorWithKeyPlus53(data.data(), data.size(), "A\xCB"), 0);
  EXPECT_EQ(data, std::string("\x76\x00\x76\x10\x89", 5));

  std::string unchanged = "abc";
  EXPECT_EQ(XorWithKeyPlus53(unchanged.data(), 3, nullptr), 1);
  EXPECT_EQ(XorWithKeyPlus53(unchanged.data(), 3, ""), 1);  // an empty key cannot cycle
  EXPECT_EQ(XorWithKeyPlus53(unchanged.data(), 0, "k"), 1);
  EXPECT_EQ(unchanged, "abc");
}

TEST(Base64Codec, EncodesAndDecodesTheStandardForm) {
  struct Row {
    std::string bytes;
    const char* text;
  };
  const Row rows[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
      {std::string("\x00\xFF\xFE", 3), "AP/+"},
  };
  for (const Row& row : rows) {
    Base64Codec codec;
    codec.EncodeBytes(reinterpret_cast<const unsigned char*>(row.bytes.data()),
                      static_cast<uint32_t>(row.bytes.size()));
    EXPECT_EQ(std::string(codec.GetEncoded(), codec.GetEncodedLength()), row.text);
    codec.DecodeText(row.text);
    // Pad characters decode to zero bytes: the length counts them.
    std::string decoded(reinterpret_cast<const char*>(codec.GetDecoded()), codec.GetDecodedLength());
    EXPECT_EQ(decoded.substr(0, row.bytes.size()), row.bytes) << row.text;
  }
}

TEST(Base64Codec, DecodingDropsWhitespaceAndNeverFails) {
  Base64Codec codec;
  codec.DecodeText(" Zm9v\r\n\tYmFy ");
  EXPECT_STREQ(reinterpret_cast<const char*>(codec.GetDecoded()), "foobar");
  EXPECT_EQ(codec.GetDecodedLength(), 6u);

  // Outside the alphabet reads as 62 ("+"), and a top-bit copy as the
  // character itself.
  codec.DecodeText("Zm9*");
  std::string star(reinterpret_cast<const char*>(codec.GetDecoded()), 3);
  codec.DecodeText("Zm9+");
  EXPECT_EQ(star, std::string(reinterpret_cast<const char*>(codec.GetDecoded()), 3));
  codec.DecodeText("\xDAm9v");  // 'Z' | 0x80
  EXPECT_STREQ(reinterpret_cast<const char*>(codec.GetDecoded()), "foo");

  for (const char* partial : {"Z", "Zm", "Zm9"}) {
    codec.DecodeText(partial);
    EXPECT_EQ(codec.GetDecodedLength(), std::string(partial).size()) << partial;
  }
}

TEST(Base64Codec, BuffersGrowPastFourKilobytes) {
  std::string bytes(10000, '\x5A');
  Base64Codec codec;
  codec.EncodeBytes(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<uint32_t>(bytes.size()));
  std::string text(codec.GetEncoded(), codec.GetEncodedLength());
  EXPECT_EQ(text.size(), 13336u);
  codec.DecodeBytes(text.data(), static_cast<uint32_t>(text.size()));
  // 10000 = 3 x 3333 + 1: the last group's two pad characters add two zero bytes.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(codec.GetDecoded()), codec.GetDecodedLength()),
            bytes + std::string(2, '\0'));
}

TEST(Base64Codec, ReusedBuffersKeepTheNulWhenTheTextFillsThem) {
  // The first call leaves both buffers 4096 bytes long; 3070 bytes then
  // encode to exactly 4096 characters, and 4096 bytes fill the other buffer.
  Base64Codec codec;
  codec.DecodeText("Zm9v");
  std::string bytes(3070, 'x');
  codec.EncodeBytes(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<uint32_t>(bytes.size()));
  ASSERT_EQ(codec.GetEncodedLength(), 4096u);
  EXPECT_EQ(std::strlen(codec.GetEncoded()), 4096u);
  bytes.assign(4096, 'y');
  codec.EncodeBytes(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<uint32_t>(bytes.size()));
  EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(codec.GetDecoded())), 4096u);
}

}  // namespace
}  // namespace marlune::crypto
