#include "posix/ansi_codepage.h"

#include <gtest/gtest.h>

#include "scoped_locale.h"

namespace winapi::posix {
namespace {

TEST(AnsiCodePage, FollowsTheLocale) {
  struct Row {
    const char* lc_all;
    const char* lc_ctype;
    const char* lang;
    UINT code_page;
  };
  const Row rows[] = {
      {nullptr, nullptr, "zh_CN.GBK", 936},
      {nullptr, nullptr, "zh_TW.Big5", 950},
      {nullptr, nullptr, "en_US.UTF-8", 1252},
      {nullptr, nullptr, nullptr, 1252},
      {"C", "zh_TW", "zh_CN", 1252},        // LC_ALL first
      {nullptr, "zh_TW", "zh_CN", 950},     // then LC_CTYPE
      {"", nullptr, "zh_CN.UTF-8", 936},    // an empty value counts as unset
  };
  for (const Row& row : rows) {
    ScopedLocale locale(row.lc_all, row.lc_ctype, row.lang);
    EXPECT_EQ(ansi_code_page(), row.code_page)
        << (row.lc_all ? row.lc_all : "-") << " / " << (row.lc_ctype ? row.lc_ctype : "-") << " / "
        << (row.lang ? row.lang : "-");
  }
}

TEST(AnsiCodePage, ConvertsBothWays) {
  struct Row {
    const char* lang;
    std::string ansi;
    std::string utf8;
  };
  // The rows switch code pages, so a converter kept from the row before would show.
  const Row rows[] = {
      {"en_US", "caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC"},
      {"zh_CN", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},  // 中文
      {"zh_TW", "\xA4\xA4\xA4\xE5", "\xE4\xB8\xAD\xE6\x96\x87"},
      {"zh_TW", "plain ascii", "plain ascii"},
  };
  for (const Row& row : rows) {
    ScopedLocale locale(nullptr, nullptr, row.lang);
    EXPECT_EQ(ansi_to_utf8(row.ansi), row.utf8) << row.lang << " " << row.utf8;
    EXPECT_EQ(utf8_to_ansi(row.utf8), row.ansi) << row.lang << " " << row.utf8;
  }
}

TEST(AnsiCodePage, MissingCharactersBecomeAQuestionMark) {
  ScopedLocale locale(nullptr, nullptr, "en_US");
  EXPECT_EQ(utf8_to_ansi("a\xE4\xB8\xAD" "b"), "a?b");
}

}  // namespace
}  // namespace winapi::posix
