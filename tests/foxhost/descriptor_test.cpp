#include "foxhost/runtime/descriptor.h"

#include <gtest/gtest.h>

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
