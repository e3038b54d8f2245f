#include "foxhost/runtime/descriptor.h"

#include <gtest/gtest.h>

#include "foxhost/runtime/extension_library.h"
#include "foxhost/runtime/fox_error.h"
#include "foxhost/runtime/runtime.h"

namespace foxhost {
namespace {

TEST(Descriptor, ParsesLettersAndOptionalMarks) {
  std::vector<ParameterSpec> specs = ParseDescriptor("C.I.C.C.C.I");
  ASSERT_EQ(specs.size(), 6u);
  EXPECT_FALSE(specs[0].optional);
  EXPECT_TRUE(specs[5].optional);
  EXPECT_EQ(specs[5].type, 'I');
  EXPECT_TRUE(ParseDescriptor("").empty());
  for (const char* bad : {"X", "C.", "..C"})
    EXPECT_THROW(ParseDescriptor(bad), FoxError) << bad;
}

void Function(ParamBlk*) {}

TEST(LibraryTable, MalformedRowsAreRefusedAtLoad) {
  const std::string many(kMaxParameters + 1, 'C');
  FoxInfo bad[] = {
      {"Counted", Function, 2, "C"},
      {"Hook", Function, kLoadHookCount, "C"},
      {"Unknown", Function, 1, "X"},
      {"Many", Function, static_cast<int16_t>(many.size()), many.c_str()},
      {nullptr, Function, 0, ""},
      {"NoFunction", nullptr, 0, ""},
      {"NoDescriptor", Function, 0, nullptr},
  };
  for (FoxInfo& row : bad) {
    FoxTable table{nullptr, 1, &row};
    EXPECT_THROW(ReadLibraryTable(table), FoxError) << (row.funcName ? row.funcName : "(null)");
  }
  FoxInfo good[] = {{"ONLOAD", Function, kLoadHookCount, ""}, {"F", Function, 2, "R.?"}};
  FoxTable table{nullptr, 2, good};
  EXPECT_EQ(ReadLibraryTable(table).size(), 2u);
}

}  // namespace
}  // namespace foxhost
