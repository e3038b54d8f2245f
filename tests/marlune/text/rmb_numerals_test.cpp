// XTRmbNumToCnChar: amounts in the capital numerals of Chinese cheques.
#include <string>

#include "tests/marlune/text/text_fixture.h"

namespace foxhost {
namespace {

using RmbNumeralsTest = TextTest;

TEST_F(RmbNumeralsTest, WritesTheWorkedAmounts) {
  struct Row {
    double amount;
    const char* with_zero;     // flag true (the default)
    const char* without_zero;  // flag false
  };
  const Row rows[] = {
      {1234.56, "壹仟贰佰叁拾肆元伍角陆分", "壹仟贰佰叁拾肆元伍角陆分"},
      {0.05, "伍分", "伍分"},
      {0.5, "伍角整", "伍角整"},
      {1, "壹元整", "壹元整"},
      {10, "壹拾元整", "壹拾元整"},
      {10.05, "壹拾元零伍分", "壹拾元零伍分"},
      {10.5, "壹拾元零伍角整", "壹拾元伍角整"},
      {1005, "壹仟零伍元整", "壹仟零伍元整"},
      {20000.3, "贰万元零叁角整", "贰万元叁角整"},
      {100000, "壹拾万元整", "壹拾万元整"},
      {100005, "壹拾万零伍元整", "壹拾万零伍元整"},
      {1000000.01, "壹佰万元零壹分", "壹佰万元零壹分"},
      {10000000, "壹仟万元整", "壹仟万元整"},
      {99999999.99, "玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分", "玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
      {10010, "壹万零壹拾元整", "壹万零壹拾元整"},
      {0.004, "整", "整"},  // rounds to 0 分
      {0, "[零零零]", "[零零零]"},
      {-5, "[零零零]", "[零零零]"},
      {100000000, "****************", "****************"},
      {99999999.995, "****************", "****************"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(host.Call("XTRmbNumToCnChar", {N(row.amount)}), C(Gbk(row.with_zero))) << row.amount;
    EXPECT_EQ(host.Call("XTRmbNumToCnChar", {N(row.amount), L(true)}), C(Gbk(row.with_zero))) << row.amount;
    EXPECT_EQ(host.Call("XTRmbNumToCnChar", {N(row.amount), L(false)}), C(Gbk(row.without_zero))) << row.amount;
  }
}

}  // namespace
}  // namespace foxhost
