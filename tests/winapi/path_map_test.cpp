#include "posix/path_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <winapi/winerror.h>

#include "prefix_fixture.h"
#include "scoped_locale.h"

namespace winapi::posix {
namespace {

class PathMapTest : public PrefixTest {};

// Windows paths to POSIX paths; `c` is drive_c of the test's prefix, `t` the
// test folder, and the current folder is t/work.
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
      {"C:data", c + "/Data"},                                 // the current folder is on Z:
      {"\\\\?\\C:\\Data", c + "/Data"},
  };
  for (const Row& row : rows) {
    PosixPath mapped = to_posix_path(row.windows);
    EXPECT_EQ(mapped.error, 0u) << row.windows;
    EXPECT_EQ(mapped.path, row.posix) << row.windows;
  }
  // From a current folder on C:, `..` stops at C:\ and "C:name" is relative to it.
  std::filesystem::current_path(drive_c_ + "/Data");
  EXPECT_EQ(to_posix_path("..\\..\\..\\Twins").path, c + "/Twins");
  EXPECT_EQ(to_posix_path("C:report.txt").path, c + "/Data/Report.TXT");
  EXPECT_EQ(to_posix_path("C:").path, c + "/Data");
  EXPECT_EQ(to_posix_path("Z:tmp").path, "/tmp") << "another drive starts at its root";

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
      {"\\\\?\\UNC\\server\\share", ERROR_BAD_NETPATH},
      {"C:\\Data\\*.txt", ERROR_INVALID_NAME},
      {"C:\\a?c\\file", ERROR_INVALID_NAME},
      {"C:\\a|b", ERROR_INVALID_NAME},
  };
  for (const Row& row : rows) {
    PosixPath mapped = to_posix_path(row.windows);
    EXPECT_EQ(mapped.error, row.error) << row.windows;
    EXPECT_EQ(mapped.path, "") << row.windows;
  }
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
  {
    ScopedLocale locale(nullptr, nullptr, "zh_TW.Big5");
    // U+8A31 is B3 5C in Big5: its second byte is a backslash and must not split the name.
    make("prefix/drive_c/\xE8\xA8\xB1/f.txt", "x");
    PosixPath mapped = to_posix_path("C:\\\xB3\x5C\\f.txt");
    EXPECT_EQ(mapped.path, drive_c_ + "/\xE8\xA8\xB1/f.txt");
    EXPECT_EQ(to_windows_path(mapped.path), "C:\\\xB3\x5C\\f.txt");
  }
  ScopedLocale locale(nullptr, nullptr, "en_US.UTF-8");
  make("prefix/drive_c/caf\xC3\xA9.txt", "x");
  EXPECT_EQ(to_posix_path("C:\\CAF\xC9.TXT").path, drive_c_ + "/caf\xC3\xA9.txt");
}

}  // namespace
}  // namespace winapi::posix
