#include <winapi/msvcrt.h>

#include <gtest/gtest.h>

#include <cstdlib>

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
