// Code page conversions, the Chinese character mappings and collation.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <winapi/windows.h>

#include "scoped_locale.h"

namespace {

constexpr DWORD kSentinel = 0xDEADBEEF;
constexpr LCID kPrc = 0x0804;
constexpr LCID kPrcStroke = 0x00020804;

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::u16string Utf16(const std::string& le_bytes) {
  std::u16string text;
  for (size_t i = 0; i + 1 < le_bytes.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(le_bytes[i]) | static_cast<unsigned char>(le_bytes[i + 1]) << 8);
  return text;
}

std::u16string Widen(UINT code_page, const std::string& bytes) {
  int n = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string text(static_cast<size_t>(n), u'\0');
  if (n > 0) MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

std::string Narrow(UINT code_page, const std::u16string& text, BOOL* used = nullptr) {
  int n = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, used);
  std::string bytes(static_cast<size_t>(n), '\0');
  if (n > 0) WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, used);
  return bytes;
}

// GBK text of a UTF-8 literal, through the stand-in itself (checked against
// the oracle's vectors below).
std::string Gbk(const char* utf8) { return Narrow(936, Widen(CP_UTF8, utf8)); }
std::string Big5(const char* utf8) { return Narrow(950, Widen(CP_UTF8, utf8)); }

TEST(CodePages, AgreeWithTheOracleVectors) {
  std::ifstream file(NLS_VECTORS);
  ASSERT_TRUE(file) << NLS_VECTORS;
  std::string line;
  int rows = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    UINT code_page;
    std::string direction, input, output;
    int used_default;
    fields >> code_page >> direction >> input >> output >> used_default;
    ++rows;
    if (direction == "m2w") {
      EXPECT_EQ(Widen(code_page, FromHex(input)), Utf16(FromHex(output))) << line;
    } else {
      BOOL used = 2;
      BOOL* used_flag = code_page == CP_UTF8 ? nullptr : &used;
      EXPECT_EQ(Narrow(code_page, Utf16(FromHex(input)), used_flag), FromHex(output)) << line;
      if (used_flag) {
        EXPECT_EQ(used, used_default) << line;
      }
    }
  }
  EXPECT_GT(rows, 100);
}

TEST(CodePages, CountTheTerminatorForLengthMinusOne) {
  const char text[] = "ab";
  char16_t wide[8];
  std::fill(std::begin(wide), std::end(wide), u'#');
  EXPECT_EQ(MultiByteToWideChar(936, 0, text, -1, nullptr, 0), 3);
  EXPECT_EQ(MultiByteToWideChar(936, 0, text, -1, wide, 8), 3);
  EXPECT_EQ(std::u16string(wide, 4), std::u16string(u"ab\0#", 4));
  EXPECT_EQ(MultiByteToWideChar(936, 0, text, 2, wide, 8), 2) << "an explicit length has no terminator";

  char bytes[8];
  std::memset(bytes, '#', sizeof bytes);
  EXPECT_EQ(WideCharToMultiByte(950, 0, u"ab", -1, nullptr, 0, nullptr, nullptr), 3);
  EXPECT_EQ(WideCharToMultiByte(950, 0, u"ab", -1, bytes, 8, nullptr, nullptr), 3);
  EXPECT_EQ(std::string(bytes, 4), std::string("ab\0#", 4));
}

TEST(CodePages, RefuseWhatWindowsRefuses) {
  char16_t wide[2];
  char bytes[2];
  BOOL used;
  struct Row {
    const char* what;
    std::function<int()> call;
    DWORD error;
  };
  const Row rows[] = {
      {"short wide buffer", [&] { return MultiByteToWideChar(936, 0, "abc", 3, wide, 2); }, ERROR_INSUFFICIENT_BUFFER},
      {"short byte buffer", [&] { return WideCharToMultiByte(936, 0, u"abc", 3, bytes, 2, nullptr, nullptr); },
       ERROR_INSUFFICIENT_BUFFER},
      {"DBCS character in one byte",
       [&] { return WideCharToMultiByte(936, 0, u"\u4e2d", 1, bytes, 1, nullptr, nullptr); }, ERROR_INSUFFICIENT_BUFFER},
      {"zero input length", [&] { return MultiByteToWideChar(936, 0, "abc", 0, wide, 2); }, ERROR_INVALID_PARAMETER},
      {"no input", [&] { return WideCharToMultiByte(936, 0, nullptr, -1, bytes, 2, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"unknown code page", [&] { return MultiByteToWideChar(437, 0, "a", 1, wide, 2); }, ERROR_INVALID_PARAMETER},
      {"default character for UTF-8",
       [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, bytes, 2, nullptr, &used); }, ERROR_INVALID_PARAMETER},
      {"unknown flags", [&] { return MultiByteToWideChar(936, 0x80, "a", 1, wide, 2); }, ERROR_INVALID_FLAGS},
  };
  for (const Row& row : rows) {
    SetLastError(kSentinel);
    EXPECT_EQ(row.call(), 0) << row.what;
    EXPECT_EQ(GetLastError(), row.error) << row.what;
  }
}

TEST(CodePages, InvalidBytesBecomeTheReplacementCharacter) {
  struct Row {
    UINT code_page;
    std::string bytes;
    std::u16string text;
  };
  const Row rows[] = {
      {CP_UTF8, "\xC3(", u"\uFFFD("},
      {936, "a\x81", u"a\uFFFD"},  // a lead byte without its trail byte
      {950, "\x81 ", u"\uFFFD "},
  };
  for (const Row& row : rows) EXPECT_EQ(Widen(row.code_page, row.bytes), row.text) << row.code_page;
}

TEST(CodePages, UseTheCallersDefaultCharacter) {
  char bytes[8] = {};
  BOOL used = FALSE;
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"a\u4e2db", 3, bytes, 8, "*", &used), 3);
  EXPECT_EQ(std::string(bytes, 3), "a*b");
  EXPECT_TRUE(used);
  // The next call has '?' again.
  EXPECT_EQ(Narrow(1252, u"\u4e2d"), "?");
}

TEST(CodePages, AnsiCodePageFollowsTheLocale) {
  ScopedLocale locale(nullptr, nullptr, "zh_TW.Big5");
  EXPECT_EQ(Widen(CP_ACP, "\xb5\x6f"), u"\u767c");
}

TEST(LCMapString, MapsBetweenSimplifiedAndTraditionalInCodePage936) {
  struct Row {
    const char* traditional;
    const char* simplified;
  };
  const Row rows[] = {{"發財", "发财"}, {"繁體中文", "繁体中文"}, {"電腦軟體", "电脑软体"}, {"abc 123", "abc 123"}};
  for (const Row& row : rows) {
    std::string traditional = Gbk(row.traditional), simplified = Gbk(row.simplified);
    char out[64];
    int n = LCMapStringA(kPrc, LCMAP_SIMPLIFIED_CHINESE, traditional.c_str(), -1, out, sizeof out);
    EXPECT_EQ(n, static_cast<int>(simplified.size()) + 1) << row.traditional;
    EXPECT_STREQ(out, simplified.c_str()) << row.traditional;
    n = LCMapStringA(kPrc, LCMAP_TRADITIONAL_CHINESE, simplified.c_str(), -1, out, sizeof out);
    EXPECT_EQ(n, static_cast<int>(traditional.size()) + 1) << row.simplified;
    EXPECT_STREQ(out, traditional.c_str()) << row.simplified;
  }
}

TEST(LCMapString, SizesAndFailures) {
  std::string text = Gbk("發財");
  EXPECT_EQ(LCMapStringA(kPrc, LCMAP_SIMPLIFIED_CHINESE, text.c_str(), -1, nullptr, 0), 5);
  EXPECT_EQ(LCMapStringA(kPrc, LCMAP_SIMPLIFIED_CHINESE, text.c_str(), 2, nullptr, 0), 2);
  char out[4];
  SetLastError(kSentinel);
  EXPECT_EQ(LCMapStringA(kPrc, LCMAP_SIMPLIFIED_CHINESE, text.c_str(), -1, out, 4), 0);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INSUFFICIENT_BUFFER});
  SetLastError(kSentinel);
  EXPECT_EQ(LCMapStringA(kPrc, 0x100 /* LCMAP_UPPERCASE */, text.c_str(), -1, out, 4), 0);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_FLAGS});
}

TEST(CompareString, PinyinAndStrokeOrders) {
  struct Row {
    LCID locale;
    const char* first;
    const char* second;
    int result;
  };
  const Row rows[] = {
      {kPrc, "阿", "八", CSTR_LESS_THAN},        // a < ba
      {kPrc, "匝", "阿", CSTR_GREATER_THAN},     // za > a
      {kPrc, "廓", "拉", CSTR_LESS_THAN},        // kuo < la
      {kPrc, "澳", "八", CSTR_LESS_THAN},        // level 2 of GB2312: ao < ba
      {kPrc, "阿", "阿", CSTR_EQUAL},
      {kPrcStroke, "一", "二", CSTR_LESS_THAN},  // 1 stroke < 2
      {kPrcStroke, "十", "三", CSTR_LESS_THAN},  // 2 < 3, against the byte order
      {kPrcStroke, "龍", "三", CSTR_GREATER_THAN},
      {kPrc, "abc", "abd", CSTR_LESS_THAN},
  };
  for (const Row& row : rows) {
    std::string first = Gbk(row.first), second = Gbk(row.second);
    EXPECT_EQ(CompareStringA(row.locale, 0, first.c_str(), -1, second.c_str(), -1), row.result)
        << row.first << " " << row.second << " in " << std::hex << row.locale;
  }
  std::string fa = Gbk("发");
  EXPECT_EQ(CompareStringA(kPrc, 0, fa.c_str(), 2, "\xb0\xa2zz", 2), CSTR_GREATER_THAN) << "lengths count";
  SetLastError(kSentinel);
  EXPECT_EQ(CompareStringA(kPrc, 1, "a", -1, "b", -1), 0);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_FLAGS});
}

TEST(CompareString, Big5LocaleReadsBig5) {
  std::string fa = Big5("發"), cai = Big5("財");
  EXPECT_EQ(CompareStringA(0x0404, 0, fa.c_str(), -1, cai.c_str(), -1), CSTR_GREATER_THAN);  // fa > cai
}

}  // namespace
