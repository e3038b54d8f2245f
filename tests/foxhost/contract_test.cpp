// The host contract, shown through the test extension library.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/test_host.h"

namespace foxhost {
namespace {

using testing::TestHost;

FoxValue C(std::string text) { return FoxValue::Character(std::move(text)); }
FoxValue I(int32_t value) { return FoxValue::Integer(value); }
FoxValue N(double value) { return FoxValue::Numeric(value, 10, 2); }
FoxValue L(bool value) { return FoxValue::Logical(value); }

class ContractTest : public ::testing::Test {
 protected:
  TestHost host{PROBE_PATH};
};

TEST_F(ContractTest, NulTerminateValueGrowsTheBlockByOneNul) {
  struct Case {
    std::string text, block;
  } cases[] = {
      {"", std::string(1, '\0')},
      {"abc", std::string("abc\0", 4)},
      {std::string("a\0b", 3), std::string("a\0b\0", 4)},
  };
  for (const Case& c : cases) EXPECT_EQ(host.Call("ProbeBlock", {C(c.text)}), C(c.block));
}

TEST_F(ContractTest, TextEndsAtAnEmbeddedNul) {
  EXPECT_EQ(host.Call("ProbeText", {C(std::string("ab\0cd", 5))}), C("ab"));
}

TEST_F(ContractTest, FailingGrowthRaises182AndTheCallIsReclaimed) {
  host.runtime().heap().RefuseAllocation();
  EXPECT_EQ(host.CallFails("ProbeBlock", {C("abc")}).number(), 182);
}

TEST_F(ContractTest, AbandonedCallHasItsLocksUndoneAndBlocksFreed) {
  // The block the function allocates before failing is the one refused;
  // the test host checks that no lock or block survives the call.
  host.runtime().heap().RefuseAllocation();
  EXPECT_EQ(host.CallFails("ProbeHoldTwo", {C("first"), C("second")}).number(), 182);
  EXPECT_EQ(host.Call("ProbeHoldTwo", {C("first"), C("second")}), L(true));
}

TEST_F(ContractTest, CharacterParameterChangedInPlaceLeavesTheCallersVariable) {
  host.Execute("secret = 'plain'");
  host.Execute("out = ProbeScramble(secret)");
  EXPECT_EQ(host.Evaluate("out"), C("PLAIN"));
  EXPECT_EQ(host.Evaluate("secret"), C("plain"));
}

TEST_F(ContractTest, FailingStatementAnswersMinusItsErrorAndWarns) {
  std::ostringstream warnings;
  host.runtime().set_warnings(&warnings);
  EXPECT_EQ(host.Call("ProbeExecute", {C("x = nosuchvariable")}), I(-12));
  EXPECT_NE(warnings.str().find("x = nosuchvariable"), std::string::npos) << warnings.str();
  EXPECT_EQ(host.runtime().executed().back(), "x = nosuchvariable");
}

TEST_F(ContractTest, StatementMayCallTheLibraryAgain) {
  EXPECT_EQ(host.Call("ProbeExecute", {C("y = ProbeText('again')")}), I(0));
  EXPECT_EQ(host.Evaluate("y"), C("again"));
}

TEST_F(ContractTest, FunctionWithoutResultGivesTrue) {
  EXPECT_EQ(host.Call("ProbeNothing"), L(true));
}

TEST_F(ContractTest, ArrayStepsReplaceTheVariableWithAPrivateArray) {
  host.Execute("rows = 'a plain variable'");
  EXPECT_EQ(host.Call("ProbeArray", {C("rows"), I(2), I(2)}), I(2));
  EXPECT_EQ(host.Evaluate("rows(1, 1)"), C("r1"));
  EXPECT_EQ(host.Evaluate("rows(2, 1)"), C("r2"));
  EXPECT_EQ(host.Evaluate("rows(2, 2)"), I(2));

  EXPECT_EQ(host.Call("ProbeArray", {C("list"), I(3), I(0)}), I(3));
  EXPECT_EQ(host.Evaluate("list(3)"), C("r3"));

  EXPECT_EQ(host.Call("ProbeArray", {C("none"), I(0), I(3)}), I(0));
  Variable* none = host.runtime().variables().Get(*host.runtime().variables().Find("none"));
  EXPECT_TRUE(none->is_array);
  EXPECT_TRUE(none->elements.empty());

  EXPECT_EQ(host.Call("ProbeDrop", {C("rows")}), I(0));
  EXPECT_FALSE(host.runtime().variables().Find("rows"));
}

TEST_F(ContractTest, ByReferenceParameterIsWrittenBack) {
  host.Execute("name = 'abc'");
  EXPECT_EQ(host.Call("ProbeAppend", {Argument::Reference("name")}), L(true));
  EXPECT_EQ(host.Evaluate("name"), C("abc!"));

  host.Execute("count = 5");
  EXPECT_EQ(host.CallFails("ProbeAppend", {Argument::Reference("count")}).number(), 9);
}

TEST_F(ContractTest, ParametersArriveConvertedToTheirDeclaredTypes) {
  struct Case {
    std::vector<Argument> arguments;
    std::string types;
  } cases[] = {
      {{I(5), I(7)}, "IN"},
      {{N(5.75), N(7)}, "IN"},
      {{I(-1), N(2), L(false)}, "INL"},
      {{I(1), I(2), L(true), FoxValue::Null()}, "INL0"},
      {{I(1), I(2), L(true), C("any")}, "INLC"},
  };
  for (const Case& c : cases) EXPECT_EQ(host.Call("ProbeTypes", c.arguments), C(c.types));
}

TEST_F(ContractTest, BadCallIsRefusedBeforeTheLibrarySeesIt) {
  struct Case {
    const char* function;
    std::vector<Argument> arguments;
    const char* message;
  } cases[] = {
      {"ProbeTypes", {I(1)}, "expects 2 to 4 parameters, got 1"},
      {"ProbeTypes", {I(1), I(2), L(true), I(4), I(5)}, "expects 2 to 4 parameters, got 5"},
      {"ProbeTypes", {C("1"), I(2)}, "parameter 1 must be integer, got character"},
      {"ProbeTypes", {N(3e9), I(2)}, "parameter 1 must be integer, got a number out of the"},
      {"ProbeTypes", {I(1), L(true)}, "parameter 2 must be numeric, got logical"},
      {"ProbeTypes", {I(1), I(2), I(3)}, "parameter 3 must be logical, got integer"},
      {"ProbeAppend", {C("name")}, "parameter 1 must be a variable passed by reference"},
      {"ProbeText", {Argument::Reference("name")}, "parameter 1 must be character"},
  };
  host.Execute("name = 'x'");
  for (const Case& c : cases) {
    FoxError error = host.CallFails(c.function, c.arguments);
    EXPECT_EQ(error.number(), 11) << c.message;
    EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
  }
  EXPECT_EQ(host.Call("ProbeEntries"), I(0));
}

TEST_F(ContractTest, DisciplineCheckCatchesWhatACallLeavesBehind) {
  struct Case {
    int how;
    const char* fault;
  } cases[] = {{1, "left alive"}, {2, "left alive"}, {3, "left locked"}};
  for (const Case& c : cases) {
    host.runtime().Call("ProbeLeak", {I(c.how), C("p")});
    std::vector<std::string> faults = host.runtime().TakeDisciplineFaults();
    ASSERT_EQ(faults.size(), 1u) << c.how;
    EXPECT_NE(faults[0].find(c.fault), std::string::npos) << faults[0];
    EXPECT_EQ(host.runtime().heap().LiveCount(), 0u) << "the host reclaims what was left";
  }
}

TEST(ModuleLifetime, EachHostHasItsOwnModuleAndUnloadingDestroysItsObjects) {
  std::string log = ::testing::TempDir() + "probe_unload.log";
  std::remove(log.c_str());
  setenv("PROBE_UNLOAD_LOG", log.c_str(), 1);
  {
    TestHost first(PROBE_PATH);
    TestHost second(PROBE_PATH);
    first.Call("ProbeTypes", {I(1), I(2)});
    EXPECT_EQ(first.Call("ProbeEntries"), I(1));
    EXPECT_EQ(second.Call("ProbeEntries"), I(0));
    first.Unload();
    std::ifstream in(log);
    std::string line;
    EXPECT_TRUE(std::getline(in, line) && line == "destroyed");
  }
  unsetenv("PROBE_UNLOAD_LOG");
}

}  // namespace
}  // namespace foxhost
