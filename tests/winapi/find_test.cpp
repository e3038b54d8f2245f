#include <winapi/windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "posix/wildcard.h"
#include "prefix_fixture.h"

namespace {

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
  std::vector<std::string> find(const std::string& pattern, DWORD* error = nullptr) {
    WIN32_FIND_DATAA data;
    std::memset(&data, 0x5A, sizeof data);
    SetLastError(0xDEADBEEF);
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    std::vector<std::string> names;
    if (search == INVALID_HANDLE_VALUE) {
      if (error) *error = GetLastError();
      return names;
    }
    do names.push_back(data.cFileName);
    while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    return names;
  }
};

TEST_F(FindTest, ListsMatchingEntries) {
  make("d/b.txt", "12345");
  make("d/A.TXT", "1");
  make("d/c.log", "");
  make("d/noext", "");
  make("d/sub/");
  const std::string d = root_.string() + "/d";
  using Names = std::vector<std::string>;
  EXPECT_EQ(find(d + "/*"), (Names{".", "..", "A.TXT", "b.txt", "c.log", "noext", "sub"}));
  EXPECT_EQ(find(d + "\\*.*"), (Names{".", "..", "A.TXT", "b.txt", "c.log", "noext", "sub"}));
  EXPECT_EQ(find(d + "/*.txt"), (Names{"A.TXT", "b.txt"}));
  EXPECT_EQ(find(d + "/*."), (Names{".", "..", "noext", "sub"}));
  EXPECT_EQ(find(d + "/B.TXT"), (Names{"b.txt"}));
  EXPECT_EQ(find(root_.string() + "/D/SUB"), (Names{"sub"}));
  EXPECT_EQ(find("C:\\*"), (Names{"windows"})) << "a drive's root has no . or ..";
}

TEST_F(FindTest, EntryDescribesTheFile) {
  make("e/five.bin", "12345");
  make("e/.hidden", "");
  make("e/folder/");
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((root_.string() + "/e/five.bin").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  // Last write time: 100 ns units since 1601, so after 2020 and before 2100.
  const uint64_t written = uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 |
                           data.ftLastWriteTime.dwLowDateTime;
  EXPECT_GT(written, 132223104000000000ull);
  EXPECT_LT(written, 157469184000000000ull);

  search = FindFirstFileA((root_.string() + "/e/folder").c_str(), &data);
  FindClose(search);
  EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  search = FindFirstFileA((root_.string() + "/e/.hidden").c_str(), &data);
  FindClose(search);
  EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FindTest, FailuresGiveTheWindowsCodes) {
  make("f/only.txt", "");
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
  };
  for (const Row& row : rows) {
    DWORD error = 0;
    EXPECT_TRUE(find(row.pattern, &error).empty()) << row.pattern;
    EXPECT_EQ(error, row.error) << row.pattern;
  }
  SetLastError(0xDEADBEEF);
  WIN32_FIND_DATAA data;
  EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  // A search handle is closed by FindClose, not CloseHandle.
  HANDLE search = FindFirstFileA((f + "/*").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CloseHandle(search));
  EXPECT_TRUE(FindClose(search));
  EXPECT_FALSE(FindClose(search));
}

}  // namespace
