// Pattern matching and XTStrRev.
#include <string>
#include <vector>

#include "tests/marlune/text/text_fixture.h"

namespace foxhost {
namespace {

using PatternTest = TextTest;

TEST_F(PatternTest, FindMatchStringFindsTheFirstOccurrenceFromTheStart) {
  struct Row {
    const char* text;
    const char* pattern;
    int start;  // -1: not passed
    int result;
  };
  const Row rows[] = {
      {"abcabc", "c", -1, 3},
      {"abcabc", "c", 3, 6},
      {"abcabc", "c", -5, 3},   // negative counts as 0
      {"abc", "", -1, 1},       // empty pattern: start + 1
      {"abc", "", 3, 4},
      {"abc", "", 4, 0},        // start beyond the text
      {"abc", "abcd", -1, 0},   // longer than the text
      {"abcabc", "bca", 2, 0},  // longer than the text after the start
      {"aaab", "a?b", -1, 2},   // "?" must not make the search skip an occurrence
      {"xaxaxb", "xa?b", -1, 3},
      {"xaxaxab", "xa?ab", -1, 3},
      {"abababac", "ab?c", -1, 5},
      {"aabaabaab", "a?baab", -1, 1},
      {"a*c", "*", -1, 2},      // "*" is an ordinary character here
      {"abc", "*", -1, 0},
      {"ABC", "b", -1, 0},      // always case-sensitive
      {"abc", "???", -1, 1},
  };
  for (const Row& row : rows) {
    std::vector<Argument> arguments{C(row.text), C(row.pattern)};
    if (row.start != -1) arguments.push_back(I(row.start));
    FoxValue found = host.Call("XTFindMatchString", arguments);
    EXPECT_EQ(found, I(row.result)) << row.text << " / " << row.pattern << " from " << row.start;
    EXPECT_EQ(found.width, 10);
  }
}

TEST_F(PatternTest, IsMatchStringMatchesTheWholeText) {
  struct Row {
    const char* text;
    const char* pattern;
    bool result;
    bool case_sensitive_result;
  };
  const Row rows[] = {
      {"Hello.TXT", "*.txt", true, false},
      {"", "*", true, true},
      {"", "", true, true},
      {"a", "", false, false},
      {"", "*?", false, false},
      {"", "?", false, false},
      {"abc", "a?c", true, true},
      {"zvqz", "a?c", false, false},
      {"abc", "a**c", true, true},
      {"abc", "a*c", true, true},
      {"abc", "ab", false, false},
      {"ab", "abc", false, false},
      {"abcbc", "*bc", true, true},
      {"abcxbcy", "a*bc*y", true, true},
      {"aaab", "*a?b", true, true},      // the segment search finds "a?b" at the second character
      {"aaab", "x*a?b*", false, false},
      {"xaaabz", "x*a?b*z", true, true},
      {"ab", "a*?b", false, false},
      {"abc", "*?", true, true},
      {"\xC4\xE3", "\xE4\xE3", false, false},  // only A-Z fold: C4 is not E4
      {"[A]", "[a]", true, false},
      {"@", "`", false, false},                // '@' + 32 is '`', but '@' is not a letter
  };
  for (const Row& row : rows) {
    EXPECT_EQ(host.Call("XTIsMatchString", {C(row.text), C(row.pattern)}), L(row.result))
        << row.text << " / " << row.pattern;
    EXPECT_EQ(host.Call("XTIsMatchString", {C(row.text), C(row.pattern), I(1)}), L(row.case_sensitive_result))
        << row.text << " / " << row.pattern << " case-sensitive";
  }
  EXPECT_EQ(host.Call("XTIsMatchString", {C("ABC"), C("abc"), I(0)}), L(true)) << "0 is not case-sensitive";
  EXPECT_EQ(host.Call("XTIsMatchString", {C("ABC"), C("abc"), I(-1)}), L(true));
}

TEST_F(PatternTest, MultiMatchStringTriesEachPatternOfTheList) {
  struct Row {
    const char* text;
    const char* list;
    bool result;
  };
  const Row rows[] = {
      {"report.doc", "*.txt,,*.doc", true},
      {"report.doc", "*.txt,*.xls", false},
      {"report.doc", "", false},
      {"report.doc", ",,,", false},
      {"REPORT.DOC", "*.doc", true},
      {"", ",*", true},
      {"a,b", "a,b", false},  // a pattern cannot hold a comma
  };
  for (const Row& row : rows)
    EXPECT_EQ(host.Call("XTMultiMatchString", {C(row.text), C(row.list)}), L(row.result))
        << row.text << " / " << row.list;
  EXPECT_EQ(host.Call("XTMultiMatchString", {C("REPORT.DOC"), C("*.txt,*.doc"), I(1)}), L(false));
}

TEST_F(PatternTest, StrRevReversesAfterTheKeptBytes) {
  struct Row {
    const char* value;  // a FoxPro expression
    int keep;           // -100: not passed
    std::string result;
  };
  const Row rows[] = {
      {"'abcdef'", -100, "fedcba"},
      {"'abcdef'", 2, "abfedc"},
      {"'abcdef'", 6, "abcdef"},
      {"'abcdef'", 60, "abcdef"},
      {"'abcdef'", -3, "fedcba"},  // a negative count keeps nothing
      {"''", -100, ""},
      {"'a' + CHR(0) + 'b'", -100, std::string("b\0a", 3)},
  };
  for (const Row& row : rows) {
    host.Execute(std::string("lcText = ") + row.value);
    std::vector<Argument> arguments{Argument::Reference("lcText")};
    if (row.keep != -100) arguments.push_back(I(row.keep));
    host.Call("XTStrRev", arguments);
    EXPECT_EQ(host.Evaluate("lcText"), C(row.result)) << row.value << " keeping " << row.keep;
  }
}

TEST_F(PatternTest, StrRevRefusesAVariableThatIsNotCharacter) {
  host.Execute("lnNumber = 12");
  EXPECT_EQ(host.CallFails("XTStrRev", {Argument::Reference("lnNumber")}).number(), 9);
  EXPECT_EQ(host.Evaluate("lnNumber").AsDouble(), 12);
}

}  // namespace
}  // namespace foxhost
