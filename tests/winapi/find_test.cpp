#include <winapi/windows.h>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "posix/syscalls.h"
#include "posix/wildcard.h"
#include "prefix_fixture.h"
#include "scoped_locale.h"

namespace {

using Names = std::vector<std::string>;
using winapi::posix::matches_file_pattern;

TEST(FilePattern, MatchesAsWindowsSearchesDo) {
  struct Row {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Row rows[] = {
      {"*", "anything.at.all", true},
      {"*.*", "noext", true},
      {"*.*", "a.b.c", true},
      {"*.txt", "A.TXT", true},
      {"*.txt", "a.txt.bak", false},
      {"*.", "noext", true},
      {"*.", "a.txt", false},
      {"?", "a", true},
      {"?", "ab", false},
      {"a?", "a", true},             // ? may match nothing at the end
      {"a??.txt", "a.txt", true},    // ... or before a dot
      {"a??.txt", "abc.txt", true},
      {"a??.txt", "abcd.txt", false},
      {"*a*b", "xxaxxb", true},
      {"*a*b", "xxaxxbx", false},
      {"report.txt", "REPORT.TXT", true},
      {"report.txt", "report.txt2", false},
      {"\xC3\xA9*", "\xC3\x89t\xC3\xA9", true},  // é* matches Été, case folded
      {"?t?", "\xC3\x89t\xC3\xA9", true},        // ? is one character, not one byte
  };
  for (const Row& row : rows)
    EXPECT_EQ(matches_file_pattern(row.pattern, row.name), row.matches)
        << row.pattern << " vs " << row.name;
}

class FindTest : public PrefixTest {
 protected:
  // Every name a search for `pattern` lists, in order; `error` gets last-error
  // when nothing is found.
  static Names find(const std::string& pattern, DWORD* error = nullptr) {
    WIN32_FIND_DATAA data;
    std::memset(&data, 0x5A, sizeof data);
    SetLastError(0xDEADBEEF);
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    Names names;
    if (search == INVALID_HANDLE_VALUE) {
      if (error) *error = GetLastError();
      return names;
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << pattern;
    do names.push_back(data.cFileName);
    while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES)) << pattern;
    EXPECT_TRUE(FindClose(search));
    return names;
  }

  // The entry a search for `path` finds first.
  static WIN32_FIND_DATAA entry(const std::string& path) {
    WIN32_FIND_DATAA data;
    std::memset(&data, 0x5A, sizeof data);
    HANDLE search = FindFirstFileA(path.c_str(), &data);
    EXPECT_NE(search, INVALID_HANDLE_VALUE) << path;
    FindClose(search);
    return data;
  }
};

TEST_F(FindTest, ListsTheMatchingEntries) {
  for (const char* name : {"b.txt", "A.TXT", "c.log", "noext", "a.b.c", "ab", "abc", "ABC"}) make("d/" + std::string(name));
  make("d/sub/");
  const std::string d = root_.string() + "/d";
  struct Row {
    std::string pattern;
    Names names;
  };
  const Row rows[] = {
      {d + "/*", {".", "..", "a.b.c", "A.TXT", "ab", "ABC", "abc", "b.txt", "c.log", "noext", "sub"}},
      {d + "\\*.*", {".", "..", "a.b.c", "A.TXT", "ab", "ABC", "abc", "b.txt", "c.log", "noext", "sub"}},
      {d + "/*.txt", {"A.TXT", "b.txt"}},
      {d + "/?.TXT", {"A.TXT", "b.txt"}},
      {d + "/*.", {".", "..", "ab", "ABC", "abc", "noext", "sub"}},
      {d + "/a?", {"ab"}},
      {d + "/a??", {"ab", "ABC", "abc"}},
      {d + "/B.TXT", {"b.txt"}},            // without wildcards: the one entry an open would take
      {d + "/abc", {"abc"}},                // the exact name wins
      {d + "/aBc", {"ABC"}},                // else the first in byte order
      {root_.string() + "/D/SUB", {"sub"}},
      {"C:\\*", {"windows"}},               // a drive's root has no . or ..
  };
  for (const Row& row : rows) EXPECT_EQ(find(row.pattern), row.names) << row.pattern;
}

TEST_F(FindTest, EntryDescribesTheFile) {
  make("e/five.bin", "12345");
  make("e/.hidden");
  make("e/locked.txt");
  make("e/folder/");
  ASSERT_EQ(chmod((root_ / "e/locked.txt").c_str(), 0444), 0);
  const std::string e = root_.string() + "/e";
  struct Row {
    std::string path;
    std::string name;
    DWORD attributes;
  };
  const Row rows[] = {
      {e + "/five.bin", "five.bin", FILE_ATTRIBUTE_ARCHIVE},
      {e + "/FOLDER", "folder", FILE_ATTRIBUTE_DIRECTORY},
      {e + "/.hidden", ".hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
      {e + "/locked.txt", "locked.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE},
      {e + "/folder/.", ".", FILE_ATTRIBUTE_DIRECTORY},
  };
  for (const Row& row : rows) {
    WIN32_FIND_DATAA data = entry(row.path);
    EXPECT_STREQ(data.cFileName, row.name.c_str()) << row.path;
    EXPECT_EQ(data.dwFileAttributes, row.attributes) << row.path;
  }

  WIN32_FIND_DATAA data = entry(e + "/five.bin");
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  // Times: 100 ns units since 1601, so after 2020 and before 2100.
  for (const FILETIME& time : {data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime}) {
    const uint64_t ticks = uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
    EXPECT_GT(ticks, 132223104000000000ull);
    EXPECT_LT(ticks, 157469184000000000ull);
  }
  const std::string sparse = make("e/large.bin");
  ASSERT_EQ(truncate(sparse.c_str(), (off_t{3} << 32) + 9), 0);
  data = entry(e + "/large.bin");
  EXPECT_EQ(data.nFileSizeHigh, 3u);
  EXPECT_EQ(data.nFileSizeLow, 9u);
}

TEST_F(FindTest, NamesTravelInTheAnsiCodePage) {
  ScopedLocale locale(nullptr, nullptr, "zh_TW.Big5");
  // 許 is B3 5C in Big5: its second byte is a backslash and must not split the pattern.
  make("prefix/drive_c/\xE8\xA8\xB1/\xE8\xA8\xB1.txt");
  EXPECT_EQ(find("C:\\\xB3\x5C"), Names{"\xB3\x5C"});
  EXPECT_EQ(find("C:\\\xB3\x5C\\*.txt"), Names{"\xB3\x5C.txt"});
}

TEST_F(FindTest, FailuresGiveTheWindowsCodes) {
  make("f/only.txt");
  const std::string f = root_.string() + "/f";
  struct Row {
    std::string pattern;
    DWORD error;
  };
  const Row rows[] = {
      {f + "/*.doc", ERROR_FILE_NOT_FOUND},
      {f + "/missing.txt", ERROR_FILE_NOT_FOUND},
      {f + "/nowhere/*", ERROR_PATH_NOT_FOUND},
      {f + "/only.txt/*", ERROR_PATH_NOT_FOUND},
      {f + "/", ERROR_FILE_NOT_FOUND},
      {f + "/a|b/*", ERROR_INVALID_NAME},
      {"D:\\*", ERROR_PATH_NOT_FOUND},
      {"\\\\server\\share\\*", ERROR_BAD_NETPATH},
  };
  for (const Row& row : rows) {
    DWORD error = 0;
    EXPECT_TRUE(find(row.pattern, &error).empty()) << row.pattern;
    EXPECT_EQ(error, row.error) << row.pattern;
  }

  // A folder that cannot be read.
  auto& calls = winapi::posix::syscalls();
  calls.opendir = [](const char*) -> DIR* { errno = EACCES; return nullptr; };
  DWORD error = 0;
  EXPECT_TRUE(find(f + "/*", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  calls.opendir = winapi::posix::real_syscalls().opendir;
}

TEST_F(FindTest, SearchHandles) {
  make("h/one.txt");
  const std::string pattern = root_.string() + "/h/*";
  WIN32_FIND_DATAA data;
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  // A search handle is closed by FindClose, not CloseHandle, and only once.
  HANDLE search = FindFirstFileA(pattern.c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CloseHandle(search));
  EXPECT_TRUE(FindClose(search));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(FindClose(search));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindNextFileA(search, &data));
}

}  // namespace
