// The parsed-string cursor, walked through the PS functions.
#include <string>
#include <vector>

#include "tests/marlune/text/text_fixture.h"

namespace foxhost {
namespace {

// One step of a walk: a call and the value it must answer.
struct Step {
  const char* function;
  FoxValue result;
};

void Walk(testing::TestHost& host, const std::string& line, const std::vector<Step>& steps) {
  EXPECT_EQ(host.Call("PSSetStringLine", {C(line)}), L(true)) << line;
  int n = 0;
  for (const Step& step : steps)
    EXPECT_EQ(host.Call(step.function), step.result) << line << ", step " << ++n << " " << step.function;
}

using ParsedStringTest = TextTest;

TEST_F(ParsedStringTest, WalksItemsSkippingEmptyOnes) {
  const Step end{"PSIsEnd", L(true)}, not_end{"PSIsEnd", L(false)}, none{"PSGetItem", C("")};
  auto item = [](const char* text) { return Step{"PSGetItem", C(text)}; };
  Walk(host, "a|b|c", {item("a"), not_end, item("b"), not_end, item("c"), end, none, end});
  Walk(host, "a||b", {item("a"), item("b"), none});
  Walk(host, "|a", {item("a"), end});
  Walk(host, "a||", {item("a"), not_end, none, end});
  Walk(host, "a|", {item("a"), end});
  Walk(host, "a|b|c", {item("a"), {"PSGetRestString", C("b|c")}, end, none});
  Walk(host, "a||b", {item("a"), {"PSGetRestString", C("|b")}, {"PSGetRestString", C("")}});
  Walk(host, "x|y", {item("x"), item("y"), {"PSGoToHead", L(true)}, not_end, item("x")});
}

TEST_F(ParsedStringTest, BeforeAnyLineThereIsNothing) {
  EXPECT_EQ(host.Call("PSGetItem"), C(""));
  EXPECT_EQ(host.Call("PSGetRestString"), C(""));
  EXPECT_EQ(host.Call("PSIsEnd"), L(true));
}

TEST_F(ParsedStringTest, DelimiterIsResetByEachNewLine) {
  EXPECT_EQ(host.Call("PSSetFlagChar", {C(";,")}), L(true));
  EXPECT_EQ(host.Call("PSSetStringLine", {C("a;b")}), L(true));
  EXPECT_EQ(host.Call("PSGetItem"), C("a;b"));

  host.Call("PSSetStringLine", {C("a;b,c")});
  host.Call("PSSetFlagChar", {C(";,")});  // only the first byte counts
  EXPECT_EQ(host.Call("PSGetItem"), C("a"));
  EXPECT_EQ(host.Call("PSGetItem"), C("b,c"));
}

TEST_F(ParsedStringTest, EmptyParametersChangeNothing) {
  host.Call("PSSetStringLine", {C("a;b")});
  host.Call("PSSetFlagChar", {C(";")});
  EXPECT_EQ(host.Call("PSSetStringLine", {C("")}), L(false));
  EXPECT_EQ(host.Call("PSSetFlagChar", {C("")}), L(false));
  EXPECT_EQ(host.Call("PSGetItem"), C("a"));
  EXPECT_EQ(host.Call("PSGetItem"), C("b"));
}

TEST_F(ParsedStringTest, LongItemsComeBackWhole) {
  std::string long_item(1000, 'x');
  host.Call("PSSetStringLine", {C("a|" + long_item + "|b")});
  EXPECT_EQ(host.Call("PSGetItem"), C("a"));
  EXPECT_EQ(host.Call("PSGetItem"), C(long_item));
  EXPECT_EQ(host.Call("PSGetItem"), C("b"));
}

TEST_F(ParsedStringTest, SplitsDoubleByteCharactersOnTheDelimiterByte) {
  // A8 7C is one character of code page 936 whose second byte is "|".
  host.Call("PSSetStringLine", {C("a\xA8|b")});
  EXPECT_EQ(host.Call("PSGetItem"), C("a\xA8"));
  EXPECT_EQ(host.Call("PSGetItem"), C("b"));
}

TEST_F(ParsedStringTest, LineStopsAtAnEmbeddedNul) {
  host.Call("PSSetStringLine", {C(std::string("a|b\0|c", 6))});
  EXPECT_EQ(host.Call("PSGetRestString"), C("a|b"));
}

}  // namespace
}  // namespace foxhost
