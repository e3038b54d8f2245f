// FREnumRegValue and FREnumRegKeyEx: the session's key listed into FoxPro
// arrays.
#include <string>
#include <vector>

#include "tests/marlune/registry/registry_fixture.h"

namespace foxhost {
namespace {

class ListTest : public RegistryTest {
 protected:
  // The array as the host holds it; fails the test when there is none.
  const Variable& Array(std::string_view name) {
    static const Variable none;
    std::optional<VariableId> id = host.runtime().variables().Find(name);
    if (!id) {
      ADD_FAILURE() << name << " does not exist";
      return none;
    }
    const Variable* variable = host.runtime().variables().Get(*id);
    EXPECT_TRUE(variable->is_array) << name;
    return *variable;
  }
  bool Exists(std::string_view name) { return host.runtime().variables().Find(name).has_value(); }
};

TEST_F(ListTest, ValuesOfTextAndNumberTypesFillRowsWithoutGaps) {
  Call("FRSetRegPath", {C("Software\\Listed")});
  Call("FRSetRegValue", {C("Name"), C("Tom")});
  Write("Software\\Listed", "Blob", REG_BINARY, "\x01\x02\x03");
  Call("FRSetRegValue", {C("Size"), I(7)});
  host.Execute("laVals = \"a plain variable first\"");

  FoxValue count = Call("FREnumRegValue", {C("laVals")});
  EXPECT_EQ(count, I(2));
  EXPECT_EQ(count.width, 10);
  const Variable& rows = Array("laVals");
  ASSERT_EQ(rows.rows, 3);
  ASSERT_EQ(rows.columns, 3);
  const std::vector<FoxValue> expected = {C("Name"), I(1), C("Tom"),   //
                                          C("Size"), I(4), I(7),      //
                                          L(false), L(false), L(false)};
  EXPECT_EQ(rows.elements, expected);
  EXPECT_EQ(rows.elements[1].width, 5) << "the type column";
  EXPECT_EQ(rows.elements[5].width, 10) << "a number";
  ExpectSavedError(0, "a listing");
}

TEST_F(ListTest, TextDataKeepsEveryByteButItsTerminatingNul) {
  Write("Software\\Data", "embedded", REG_SZ, std::string("a\0b\0", 4));
  Write("Software\\Data", "unterminated", REG_SZ, "abc");
  Write("Software\\Data", "empty", REG_SZ, "");
  Write("Software\\Data", "short", REG_DWORD, "\x09\x01");
  Call("FRSetRegPath", {C("Software\\Data")});

  EXPECT_EQ(Call("FREnumRegValue", {C("laVals")}), I(4));
  const Variable& rows = Array("laVals");
  ASSERT_EQ(rows.elements.size(), 12u);
  EXPECT_EQ(rows.elements[2], C(std::string("a\0b", 3)));
  EXPECT_EQ(rows.elements[5], C("abc"));
  EXPECT_EQ(rows.elements[8], C(""));
  EXPECT_EQ(rows.elements[11], I(0x0109)) << "two bytes of a number fill its low-order bytes";
}

TEST_F(ListTest, KeyWithoutListedValuesLeavesNoArray) {
  Write("Software\\Empty\\Sub", "v", REG_DWORD, std::string(4, '\0'));
  Write("Software\\Binary", "Blob", REG_BINARY, "xyz");
  for (const char* path : {"Software\\Empty", "Software\\Binary"}) {
    host.Execute("laVals = 1");
    Call("FRSetRegPath", {C(path)});
    EXPECT_EQ(Call("FREnumRegValue", {C("laVals")}), I(0)) << path;
    EXPECT_FALSE(Exists("laVals")) << path;
  }
}

TEST_F(ListTest, SubkeysFillAOneDimensionalArray) {
  Write("Software\\Keys\\B", "v", REG_DWORD, std::string(4, '\0'));
  Write("Software\\Keys\\A", "v", REG_DWORD, std::string(4, '\0'));
  Write("Software\\Keys\\A\\Deeper", "v", REG_DWORD, std::string(4, '\0'));
  Call("FRSetRegPath", {C("Software\\Keys")});

  EXPECT_EQ(Call("FREnumRegKeyEx", {C("laKeys")}), I(2));
  const Variable& keys = Array("laKeys");
  EXPECT_EQ(keys.columns, 0);
  EXPECT_EQ(keys.elements, (std::vector<FoxValue>{C("A"), C("B")}));
  ExpectSavedError(0, "a listing");

  // Without subkeys the array stays, with no elements.
  Call("FRSetRegPath", {C("Software\\Keys\\B")});
  EXPECT_EQ(Call("FREnumRegKeyEx", {C("laKeys")}), I(0));
  EXPECT_TRUE(Array("laKeys").elements.empty());
}

TEST_F(ListTest, MissingKeyOrEmptyNameListsNothing) {
  host.Execute("laVals = 1");
  Call("FRSetRegPath", {C("Software\\Missing")});
  for (const char* function : {"FREnumRegValue", "FREnumRegKeyEx"}) {
    EXPECT_EQ(Call(function, {C("laVals")}), I(0)) << function;
    ExpectSavedError(ERROR_FILE_NOT_FOUND, function);
    EXPECT_EQ(host.Evaluate("laVals"), I(1)) << function << " touched the variable";
  }
  Write("Software\\Present", "v", REG_DWORD, std::string(4, '\0'));
  Call("FRSetRegPath", {C("Software\\Present")});
  EXPECT_EQ(Call("FREnumRegValue", {C("")}), I(0));
  EXPECT_EQ(Call("FREnumRegKeyEx", {C("")}), I(0));
}

TEST_F(ListTest, ListingReopensTheKeyAfresh) {
  Call("FRSetRegPath", {C("Software\\Reopened")});
  Call("FRSetRegValue", {C("v"), I(1)});
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Reopened"), ERROR_SUCCESS);
  Write("Software\\Reopened", "w", REG_DWORD, std::string(4, '\0'));
  // The session's open key was deleted; the listing sees the new key.
  EXPECT_EQ(Call("FREnumRegValue", {C("laVals")}), I(1));
  EXPECT_EQ(host.Evaluate("laVals[1,1]"), C("w"));
  EXPECT_EQ(Call("FRGetRegValue", {C("w"), I(-1)}), I(0)) << "and keeps it open";
}

}  // namespace
}  // namespace foxhost
