#include <winapi/windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr DWORD kSystemAllocated =
    FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
constexpr DWORD kSentinel = 0xDEADBEEF;

// The system message for `code` as FormatMessageA allocates it, or nullopt.
struct Formatted {
  DWORD length;
  DWORD last_error;
  std::string text;
};

Formatted format_system(DWORD code, DWORD language = 0x0400) {
  char* text = reinterpret_cast<char*>(0x1);
  SetLastError(kSentinel);
  DWORD length = FormatMessageA(kSystemAllocated, nullptr, code, language,
                                reinterpret_cast<LPSTR>(&text), 0, nullptr);
  Formatted result{length, GetLastError(), {}};
  if (length) {
    result.text.assign(text);
    EXPECT_EQ(LocalFree(text), nullptr);
  }
  return result;
}

TEST(FormatMessage, SystemMessagesEndInCrLf) {
  for (DWORD code : {0u, 2u, 3u, 5u, 32u, 317u}) {
    Formatted m = format_system(code);
    ASSERT_GT(m.length, 2u) << "code " << code;
    EXPECT_EQ(m.length, m.text.size()) << "code " << code;
    EXPECT_TRUE(m.text.ends_with("\r\n")) << "code " << code << ": " << m.text;
    EXPECT_EQ(m.last_error, kSentinel) << "success changed last-error, code " << code;
  }
  EXPECT_NE(format_system(0).text, format_system(2).text);
}

TEST(FormatMessage, UnknownCodeGivesZeroAndMessageNotFound) {
  for (DWORD code : {4242u, 0x20000001u, 0xFFFFFFFFu}) {
    Formatted m = format_system(code);
    EXPECT_EQ(m.length, 0u) << code;
    EXPECT_EQ(m.last_error, static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND)) << code;
  }
}

TEST(FormatMessage, Win32HResultNamesItsCode) {
  EXPECT_EQ(format_system(0x80070002u).text, format_system(2).text);
}

TEST(FormatMessage, UnknownLanguageIsRefused) {
  Formatted m = format_system(2, 0x0411);
  EXPECT_EQ(m.length, 0u);
  EXPECT_EQ(m.last_error, static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
}

TEST(FormatMessage, CallerBufferMustHoldTextAndTerminator) {
  std::string expected = format_system(2).text;
  char buffer[256];
  std::memset(buffer, 'x', sizeof buffer);
  constexpr DWORD kFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

  SetLastError(kSentinel);
  EXPECT_EQ(FormatMessageA(kFlags, nullptr, 2, 0, buffer, DWORD(expected.size()), nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

  EXPECT_EQ(FormatMessageA(kFlags, nullptr, 2, 0, buffer, DWORD(expected.size() + 1), nullptr),
            expected.size());
  EXPECT_EQ(std::string(buffer), expected);
  EXPECT_EQ(buffer[expected.size() + 1], 'x') << "wrote past the terminator";
}

TEST(FormatMessage, MaxWidthMaskDropsTheLineBreak) {
  char buffer[256];
  constexpr DWORD kFlags =
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK;
  DWORD n = FormatMessageA(kFlags, nullptr, 5, 0, buffer, sizeof buffer, nullptr);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(std::string(buffer) + "\r\n", format_system(5).text);
}

}  // namespace
