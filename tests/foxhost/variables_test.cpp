#include "foxhost/runtime/variables.h"

#include <gtest/gtest.h>

#include "foxhost/runtime/fox_error.h"

namespace foxhost {
namespace {

int ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const FoxError& error) {
    return error.number();
  }
  return 0;
}

TEST(Variables, ScopesFollowTheRoutines) {
  Variables vars;
  vars.Assign("shared", FoxValue::Integer(1));  // private of the program
  vars.Create("g", Scope::kPublic);

  vars.EnterRoutine();
  vars.Create("mine", Scope::kLocal);
  vars.Create("shared", Scope::kPrivate);  // hides the caller's
  vars.Assign("shared", FoxValue::Integer(2));
  vars.EnterRoutine();
  EXPECT_EQ(vars.Read("SHARED"), FoxValue::Integer(2)) << "privates reach called routines";
  EXPECT_FALSE(vars.Find("mine")) << "locals do not";
  EXPECT_TRUE(vars.Find("g"));
  vars.LeaveRoutine();
  vars.LeaveRoutine();

  EXPECT_EQ(vars.Read("shared"), FoxValue::Integer(1));
  EXPECT_FALSE(vars.Find("mine"));
  EXPECT_NE(vars.NameIndex("mine"), -1) << "names stay in the name table";
  EXPECT_EQ(vars.NameIndex("never"), -1);
  EXPECT_EQ(ErrorOf([&] { vars.Read("mine"); }), 12);
}

TEST(Variables, ArraysAreOneOrTwoDimensional) {
  Variables vars;
  Variable& grid = *vars.Get(vars.CreateArray("grid", Scope::kPrivate, 2, 3));
  EXPECT_EQ(grid.elements.size(), 6u);
  EXPECT_EQ(Variables::Element(grid, 2, 1, 1), FoxValue::Logical(false));
  Variables::Element(grid, 2, 2, 3) = FoxValue::Integer(9);
  EXPECT_EQ(Variables::Element(grid, 1, 6, 0), FoxValue::Integer(9)) << "one subscript counts row by row";
  EXPECT_EQ(ErrorOf([&] { Variables::Element(grid, 2, 3, 1); }), 31);
  EXPECT_EQ(ErrorOf([&] { Variables::Element(grid, 2, 1, 4); }), 31);

  Variable& list = *vars.Get(vars.CreateArray("list", Scope::kPrivate, 2, 0));
  EXPECT_EQ(ErrorOf([&] { Variables::Element(list, 1, 0, 0); }), 31);
  EXPECT_EQ(ErrorOf([&] { Variables::Element(list, 1, 3, 0); }), 31);

  vars.Assign("list", FoxValue::Character("x"));
  EXPECT_EQ(Variables::Element(list, 1, 2, 0), FoxValue::Character("x"));
}

}  // namespace
}  // namespace foxhost
