// The load hook sets the application tag when it holds no text.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_host.h"

namespace foxhost {
namespace {

std::string ExecutableFileName() {
  return std::filesystem::read_symlink("/proc/self/exe").filename().string();
}

TEST(LoadHook, SetsTheApplicationTagOnlyWhenItHoldsNoText) {
  struct Case {
    const char* what;
    FoxValue before;
    FoxValue after;
  } cases[] = {
      {"a tag already set", FoxValue::Character("Payroll"), FoxValue::Character("Payroll")},
      {"an empty tag", FoxValue::Character(""), FoxValue::Character(ExecutableFileName())},
      {"a numeric tag", FoxValue::Integer(5), FoxValue::Character(ExecutableFileName())},
  };
  for (const Case& c : cases) {
    testing::TestHost host(MARLUNE_FLL, [&](Runtime& runtime) { runtime.screen_tag() = c.before; });
    EXPECT_EQ(host.runtime().screen_tag(), c.after) << c.what;
  }
}

TEST(LoadHook, ExecutesTheTagAssignment) {
  testing::TestHost host(MARLUNE_FLL);
  ASSERT_EQ(host.runtime().executed().size(), 1u);
  EXPECT_EQ(host.runtime().executed()[0], "_screen.tag = \"" + ExecutableFileName() + "\"");
}

}  // namespace
}  // namespace foxhost
