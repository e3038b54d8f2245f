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

// Literals: a whole number within 32 bits is an integer, every other number numeric.
TEST(BasicEvaluator, NumberLiteralsTakeTheirType) {
  struct Case {
    const char* literal;
    FoxValue value;
  } cases[] = {
      {"5", FoxValue::Integer(5)},
      {"-2147483648", FoxValue::Integer(INT32_MIN)},
      {"2147483648", FoxValue::Numeric(2147483648.0)},
      {"1.5", FoxValue::Numeric(1.5)},
      {"[a 'b']", FoxValue::Character("a 'b'")},
      {".null.", FoxValue::Null()},
  };
  Runtime runtime;
  for (const Case& c : cases) {
    EXPECT_EQ(runtime.Evaluate(c.literal), c.value) << c.literal;
  }
}

TEST(BasicEvaluator, AssignsVariablesElementsAndTheScreenTag) {
  Runtime runtime;
  EXPECT_EQ(runtime.Evaluate("_screen.tag"), FoxValue::Character(""));
  runtime.Execute("_Screen.Tag = 'Payroll'");
  EXPECT_EQ(runtime.Evaluate("_SCREEN.TAG"), FoxValue::Character("Payroll"));

  runtime.Execute("n = 42");
  EXPECT_EQ(runtime.Evaluate("N"), FoxValue::Integer(42));
  runtime.variables().CreateArray("a", Scope::kPrivate, 2, 2);
  runtime.Execute("a(2, 1) = .T.");
  EXPECT_EQ(runtime.Evaluate("a(2,1)"), FoxValue::Logical(true));

  for (const char* bad : {"x = ", "= 'open", "unknown_function(1)"})
    EXPECT_THROW(runtime.Execute(bad), FoxError) << bad;
}

}  // namespace
}  // namespace foxhost
