#include "posix/path_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <winapi/winerror.h>

#include "prefix_fixture.h"

namespace winapi::posix {
namespace {

class PathMapTest : public PrefixTest {};

// Windows paths to POSIX paths. "@C" stands for drive_c of the test's
// prefix, "@T" for the test folder.
TEST_F(PathMapTest, WindowsToPosix) {
  make("prefix/drive_c/Data/Report.TXT", "x");
  make("prefix/drive_c/Twins/abc", "exact");
  make("prefix/drive_c/Twins/ABC", "upper");
  make("prefix/drive_c/Twins/Abc", "mixed");
  make("work/sub/");
  std::filesystem::current_path(root_ / "work");

  struct Row {
    const char* windows;
    std::string posix;
  };
  const std::string c = drive_c_, t = root_.string();
  const Row rows[] = {
      {"C:\\Data\\Report.TXT", c + "/Data/Report.TXT"},
      {"c:/data/report.txt", c + "/Data/Report.TXT"},         // case-insensitive, both separators
      {"C:\\Data\\..\\Data\\.\\Report.txt", c + "/Data/Report.TXT"},
      {"C:\\..\\..\\Data", c + "/Data"},                       // never above the drive's root
      {"C:\\", c},
      {"C:\\Data\\New.txt", c + "/Data/New.txt"},              // last component may not exist
      {"C:\\Missing\\DATA", c + "/Missing/DATA"},              // nothing resolved past a gap
      {"C:\\Twins\\abc", c + "/Twins/abc"},                    // the exact name wins
      {"C:\\Twins\\aBC", c + "/Twins/ABC"},                    // else the first in byte order
      {"C:\\Data\\Report.txt. ", c + "/Data/Report.TXT"},      // trailing dots and spaces dropped
      {"Z:\\tmp", "/tmp"},
      {"z:\\", "/"},
      {"/tmp/x", "/tmp/x"},                                    // POSIX absolute as it stands
      {"\\tmp\\x", "/tmp/x"},
      {"sub", t + "/work/sub"},                                // relative to the current folder
      {"..\\work\\SUB\\", t + "/work/sub"},
      {".", t + "/work"},
  };
  for (const Row& row : rows) {
    PosixPath mapped = to_posix_path(row.windows);
    EXPECT_EQ(mapped.error, 0u) << row.windows;
    EXPECT_EQ(mapped.path, row.posix) << row.windows;
  }
  EXPECT_TRUE(to_posix_path("C:\\Data\\").trailing_separator);
  EXPECT_FALSE(to_posix_path("C:\\Data").trailing_separator);
}

TEST_F(PathMapTest, UnmappablePaths) {
  struct Row {
    const char* windows;
    DWORD error;
  };
  const Row rows[] = {
      {"", ERROR_PATH_NOT_FOUND},
      {"D:\\file.txt", ERROR_PATH_NOT_FOUND},
      {"\\\\server\\share\\file", ERROR_BAD_NETPATH},
  };
  for (const Row& row : rows) EXPECT_EQ(to_posix_path(row.windows).error, row.error) << row.windows;
}

TEST_F(PathMapTest, PosixToWindows) {
  const std::string c = drive_c_;
  struct Row {
    std::string posix;
    const char* windows;
  };
  const Row rows[] = {
      {c + "/windows/system32", "C:\\windows\\system32"},
      {c, "C:\\"},
      {c + "/Data/", "C:\\Data\\"},
      {"/tmp/x", "Z:\\tmp\\x"},
      {"/tmp/x/", "Z:\\tmp\\x\\"},
      {"/", "Z:\\"},
      {"/tmp/a/../b", "Z:\\tmp\\b"},
      {c + "x/y", nullptr},  // a sibling whose name only starts like drive_c
  };
  for (const Row& row : rows) {
    std::string expected = row.windows ? row.windows : "Z:" + row.posix;
    if (!row.windows) std::replace(expected.begin(), expected.end(), '/', '\\');
    EXPECT_EQ(to_windows_path(row.posix), expected) << row.posix;
  }
}

TEST_F(PathMapTest, NamesTravelInTheAnsiCodePage) {
  const char* old_lang = getenv("LANG");
  const char* old_all = getenv("LC_ALL");
  unsetenv("LC_ALL");
  setenv("LANG", "zh_TW.Big5", 1);
  // U+8A31 is B3 5C in Big5: its second byte is a backslash and must not split the name.
  make("prefix/drive_c/\xE8\xA8\xB1/f.txt", "x");
  PosixPath mapped = to_posix_path("C:\\\xB3\x5C\\f.txt");
  EXPECT_EQ(mapped.path, drive_c_ + "/\xE8\xA8\xB1/f.txt");
  EXPECT_EQ(to_windows_path(mapped.path), "C:\\\xB3\x5C\\f.txt");

  setenv("LANG", "en_US.UTF-8", 1);
  make("prefix/drive_c/caf\xC3\xA9.txt", "x");
  EXPECT_EQ(to_posix_path("C:\\CAF\xC9.TXT").path, drive_c_ + "/caf\xC3\xA9.txt");

  if (old_lang) setenv("LANG", old_lang, 1); else unsetenv("LANG");
  if (old_all) setenv("LC_ALL", old_all, 1);
}

}  // namespace
}  // namespace winapi::posix
