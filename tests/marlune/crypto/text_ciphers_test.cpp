// XTEncryptTxt1 and XTEncryptTxt2 through the host.
#include <string>

#include "tests/marlune/crypto/crypto_fixture.h"

namespace foxhost {
namespace {

using TextCipherTest = CryptoTest;

TEST_F(TextCipherTest, Txt1GivesTheKnownTextsAndReadsThemBack) {
  struct Row {
    const char* plain;
    const char* encrypted;
  };
  const Row rows[] = {
      {"abc", "WYdcbajJ"},
      {"hello", "Gadcba=8GbsV"},
      // Base64 "YQ==" + "abcd" = "YQ==abcd", permuted.
      {"a", "QYdcba=="},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(host.Call("XTEncryptTxt1", {C(row.plain), I(1)}), C(row.encrypted)) << row.plain;
    EXPECT_EQ(host.Call("XTEncryptTxt1", {C(row.encrypted), I(0)}), C(row.plain)) << row.plain;
    EXPECT_EQ(host.Call("XTEncryptTxt1", {C(row.encrypted), I(2)}), C(row.plain)) << row.plain;
  }
}

TEST_F(TextCipherTest, Txt1DecryptionIgnoresWhitespaceAndStopsAtNul) {
  // "WYdcbajJ" permuted back is "YWJjabcd": spaces inside the Base64 part
  // (the end of the permuted text) are dropped.
  EXPECT_EQ(host.Call("XTEncryptTxt1", {C("WYdcba\r\n jJ"), I(0)}), C("abc"));
  std::string with_nul("ab\0cd", 5);
  FoxValue encrypted = host.Call("XTEncryptTxt1", {C(with_nul), I(1)});
  EXPECT_EQ(encrypted.text.size(), 12u);  // all five bytes were encoded
  EXPECT_EQ(host.Call("XTEncryptTxt1", {encrypted, I(0)}), C("ab"));
}

TEST_F(TextCipherTest, Txt1ShortAndEmptyTextsGiveEmpty) {
  for (const char* text : {"", "a", "ab", "abc", "abcd"}) {
    EXPECT_EQ(host.Call("XTEncryptTxt1", {C(text), I(0)}), C("")) << text;
  }
  EXPECT_EQ(host.Call("XTEncryptTxt1", {C(""), I(1)}), C(""));
}

TEST_F(TextCipherTest, Txt1RoundTripsRandomTextWithoutNul) {
  std::mt19937 random(3);
  for (size_t length = 1; length <= 300; ++length) {
    std::string plain = RandomBytes(random, length);
    for (char& c : plain) c = c == '\0' ? '\x01' : c;
    FoxValue encrypted = host.Call("XTEncryptTxt1", {C(plain), I(1)});
    ASSERT_EQ(encrypted.text.size(), (length + 2) / 3 * 4 + 4) << length;
    ASSERT_EQ(host.Call("XTEncryptTxt1", {encrypted, I(0)}), C(plain)) << length;
  }
  std::string large(200000, 'x');
  FoxValue encrypted = host.Call("XTEncryptTxt1", {C(large), I(1)});
  EXPECT_EQ(host.Call("XTEncryptTxt1", {encrypted, I(0)}), C(large));
}

TEST_F(TextCipherTest, Txt2WithTheFixedKeyLeavesShortValuesAlone) {
  for (const char* text : {"a", "ab", "abc"}) {
    SetVariable("lcText", text);
    host.Call("XTEncryptTxt2", {Argument::Reference("lcText")});
    EXPECT_EQ(Text("lcText"), text);
  }
  // The fixed key's first four bytes are "Zq4:"; plus 53 they are 8F A6 69 6F.
  SetVariable("lcText", std::string(4, '\0'));
  host.Call("XTEncryptTxt2", {Argument::Reference("lcText")});
  EXPECT_EQ(Text("lcText"), "\x8F\xA6\x69\x6F");
}

TEST_F(TextCipherTest, Txt2IsItsOwnInverseForEveryLength) {
  std::mt19937 random(5);
  for (size_t length = 0; length <= 300; ++length) {
    std::string plain = RandomBytes(random, length);
    for (bool keyed : {false, true}) {
      SetVariable("lcText", plain);
      std::vector<Argument> arguments{Argument::Reference("lcText")};
      if (keyed) arguments.push_back(C("k\xCB" "ey"));
      host.Call("XTEncryptTxt2", arguments);
      if (length > 0 && (keyed || length >= 4)) {
        ASSERT_NE(Text("lcText"), plain) << length;
      }
      host.Call("XTEncryptTxt2", arguments);
      ASSERT_EQ(Text("lcText"), plain) << length << (keyed ? " with a key" : "");
    }
  }
}

TEST_F(TextCipherTest, Txt2KeyBytes) {
  // 'A' + 53 = 0x76; 0xCB + 53 = 0: that data byte stays.
  SetVariable("lcText", std::string("\x00\x00\x00", 3));
  host.Call("XTEncryptTxt2", {Argument::Reference("lcText"), C("A\xCB")});
  EXPECT_EQ(Text("lcText"), std::string("\x76\x00\x76", 3));

  // An empty key, or one with nothing before its NUL, changes nothing.
  for (const std::string& key : {std::string(), std::string("\0k", 2)}) {
    SetVariable("lcText", "secret");
    host.Call("XTEncryptTxt2", {Argument::Reference("lcText"), C(key)});
    EXPECT_EQ(Text("lcText"), "secret");
  }
}

TEST_F(TextCipherTest, Txt2RefusesAVariableThatIsNotCharacter) {
  host.Execute("lnNumber = 12");
  EXPECT_EQ(host.CallFails("XTEncryptTxt2", {Argument::Reference("lnNumber")}).number(), 9);
  EXPECT_EQ(host.Evaluate("lnNumber").AsDouble(), 12);
}

}  // namespace
}  // namespace foxhost
