#include <winapi/msvcrt.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

TEST(Msvcrt, StrdupCopiesIntoMemoryTheCallerFrees) {
  const char* original = "text";
  char* copy = _strdup(original);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, original);
  EXPECT_STREQ(copy, original);
  free(copy);
  EXPECT_EQ(_strdup(nullptr), nullptr);
}

}  // namespace

namespace {

TEST(Msvcrt, FopenTakesWindowsPaths) {
  char posix_name[] = "/tmp/msvcrt_fopen_XXXXXX";
  int fd = mkstemp(posix_name);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "abc", 3), 3);
  close(fd);
  std::string windows = std::string("Z:") + posix_name;
  for (char& c : windows) c = c == '/' ? '\\' : c;

  FILE* file = msvcrt::fopen(windows.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  char buffer[8] = {};
  EXPECT_EQ(msvcrt::fread(buffer, 1, sizeof buffer, file), 3u);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(msvcrt::ferror(file), 0);
  EXPECT_EQ(msvcrt::fclose(file), 0);
  unlink(posix_name);

  EXPECT_EQ(msvcrt::fopen(windows.c_str(), "rb"), nullptr);  // gone now
  EXPECT_EQ(msvcrt::fopen("Q:\\x.bin", "rb"), nullptr);      // no such drive
  EXPECT_EQ(msvcrt::fopen(nullptr, "rb"), nullptr);
}

}  // namespace
