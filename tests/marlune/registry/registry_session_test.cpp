// The registry session through the FR functions: choosing the key, writing,
// reading and deleting values and subkeys, and the saved error code every
// registry call leaves.
#include <string>
#include <vector>

#include "tests/marlune/registry/registry_fixture.h"

namespace foxhost {
namespace {

using SessionTest = RegistryTest;

TEST_F(SessionTest, DefaultPathComesFromTheApplicationTag) {
  ASSERT_EQ(host.runtime().screen_tag(), C("myapp.exe"));
  EXPECT_EQ(Call("FRSetRegPath"), L(false));
  EXPECT_EQ(Call("FRSetRegValue", {C("Count"), I(5)}), L(false));

  StoredValue count = Stored(HKEY_CURRENT_USER, "Software\\Dorvaine\\myapp.exe", "Count");
  ASSERT_EQ(count.status, ERROR_SUCCESS);
  EXPECT_EQ(count.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(count.data, std::string("\x05\0\0\0", 4));
  EXPECT_EQ(Call("FRGetRegValue", {C("Count"), I(0)}), I(5));
}

TEST_F(SessionTest, TagThatIsNotTextLeavesThePathAsItWas) {
  Call("FRSetRegPath", {C("Software\\Kept")});
  for (const char* tag : {"\"\"", "42"}) {
    host.Execute(std::string("_screen.tag = ") + tag);
    EXPECT_EQ(Call("FRSetRegPath"), L(true)) << "tag " << tag;
  }
  Call("FRSetRegValue", {C("v"), I(1)});
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Software\\Kept", "v").status, ERROR_SUCCESS);

  host.Execute("_screen.tag = \"Payroll\"");
  EXPECT_EQ(Call("FRSetRegPath", {}), L(false));
  Call("FRSetRegValue", {C("v"), I(2)});
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Software\\Dorvaine\\Payroll", "v").status, ERROR_SUCCESS);
}

TEST_F(SessionTest, RootCodeChoosesTheRootKey) {
  struct Case {
    std::vector<Argument> arguments;
    HKEY root;
  } cases[] = {
      {{C("Software\\Test"), I(3)}, HKEY_LOCAL_MACHINE},
      {{C("Software\\Test"), I(9)}, HKEY_CURRENT_USER},
      {{C("Software\\Test")}, HKEY_CURRENT_USER},
      {{C("Software\\Test"), I(1)}, HKEY_CLASSES_ROOT},
      {{C("Software\\Test"), I(2)}, HKEY_CURRENT_USER},
      {{C("Software\\Test"), I(4)}, HKEY_USERS},
      {{C("Software\\Test"), I(5)}, HKEY_CURRENT_CONFIG},
      {{C("Software\\Test"), I(0)}, HKEY_CURRENT_USER},
  };
  int32_t n = 0;
  for (Case& c : cases) {
    const std::string name = "Case" + std::to_string(++n);
    EXPECT_EQ(Call("FRSetRegPath", c.arguments), L(false)) << name;
    EXPECT_EQ(Call("FRSetRegValue", {C(name), I(n)}), L(false)) << name;
    StoredValue stored = Stored(c.root, "Software\\Test", name);
    EXPECT_EQ(stored.status, ERROR_SUCCESS) << name;
    EXPECT_EQ(stored.data, std::string(1, static_cast<char>(n)) + std::string(3, '\0')) << name;
  }
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Software\\Test", "Case1").status, ERROR_FILE_NOT_FOUND)
      << "code 3 wrote under HKEY_CURRENT_USER";
}

TEST_F(SessionTest, TextIsStoredWithATerminatingNul) {
  Call("FRSetRegPath", {C("Software\\Text")});
  struct Case {
    std::string text, stored, read;
  } cases[] = {
      {"abc", std::string("abc\0", 4), "abc"},
      {"", std::string(1, '\0'), ""},
      {std::string("a\0b", 3), std::string("a\0b\0", 4), "a"},  // read back up to the NUL
      {std::string(512, 'x'), std::string(512, 'x') + '\0', std::string(512, 'x')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Call("FRSetRegValue", {C("v"), C(c.text)}), L(false)) << c.text.size();
    StoredValue stored = Stored(HKEY_CURRENT_USER, "Software\\Text", "v");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored.data, c.stored);
    EXPECT_EQ(Call("FRGetRegValue", {C("v"), C("default")}), C(c.read)) << c.text.size();
  }
  // 513 bytes do not fit the read buffer with room to spare: too long gives the default.
  Call("FRSetRegValue", {C("v"), C(std::string(513, 'y'))});
  EXPECT_EQ(Call("FRGetRegValue", {C("v"), C("default")}), C("default"));
}

TEST_F(SessionTest, ReadsTakeTheBytesWhateverTheStoredType) {
  Call("FRSetRegPath", {C("Software\\Types")});
  Call("FRSetRegValue", {C("number"), I(0x00434241)});
  EXPECT_EQ(Call("FRGetRegValue", {C("number"), C("")}), C("ABC"));
  Call("FRSetRegValue", {C("text"), C("abc")});
  EXPECT_EQ(Call("FRGetRegValue", {C("text"), I(0)}), I(0x00636261));
  Call("FRSetRegValue", {C("negative"), I(-7)});
  EXPECT_EQ(Call("FRGetRegValue", {C("negative"), I(0)}), I(-7));
  // Two bytes fill the low-order bytes; the rest are 0.
  Write("Software\\Types", "short", REG_BINARY, "\xFF\x7F");
  EXPECT_EQ(Call("FRGetRegValue", {C("short"), I(-1)}), I(0x7FFF));
  // Five bytes do not fit four: the default.
  Call("FRSetRegValue", {C("long"), C("abcd")});
  EXPECT_EQ(Call("FRGetRegValue", {C("long"), I(-1)}), I(-1));
}

TEST_F(SessionTest, MissingValuesGiveTheDefaultAndLeaveNotFound) {
  Call("FRSetRegPath", {C("Software\\Present")});
  Call("FRSetRegValue", {C("here"), I(1)});
  ExpectSavedError(0, "a write");
  EXPECT_EQ(Call("FRGetRegValue", {C("missing"), C("none")}), C("none"));
  ExpectSavedError(ERROR_FILE_NOT_FOUND, "reading a missing text");
  EXPECT_EQ(Call("XTGetLastErrorMsg"), Call("XTGetLastErrorMsg", {I(2)}));
  EXPECT_EQ(Call("FRGetRegValue", {C("here"), I(0)}), I(1));
  ExpectSavedError(0, "a successful read");
  EXPECT_EQ(Call("FRGetRegValue", {C("missing"), I(-1)}), I(-1));
  ExpectSavedError(ERROR_FILE_NOT_FOUND, "reading a missing number");

  // A key that does not exist: reads and deletions open it without creating it.
  Call("FRSetRegPath", {C("Software\\Absent")});
  EXPECT_EQ(Call("FRGetRegValue", {C("v"), C("none")}), C("none"));
  EXPECT_EQ(Call("FRGetRegValue", {C("v"), I(-1)}), I(-1));
  EXPECT_EQ(Call("FRDeleteValue", {C("v")}), L(true));
  EXPECT_EQ(Call("FRDeleteKey", {C("v")}), L(true));
  ExpectSavedError(ERROR_FILE_NOT_FOUND, "opening a missing key");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Absent"));
}

TEST_F(SessionTest, EveryFunctionFailsBeforeAPathIsSet) {
  struct Case {
    const char* function;
    std::vector<Argument> arguments;
    FoxValue failure;
  } cases[] = {
      {"FRSetRegValue", {C("v"), C("text")}, L(true)},
      {"FRSetRegValue", {C("v"), I(1)}, L(true)},
      {"FRGetRegValue", {C("v"), C("default")}, C("default")},
      {"FRGetRegValue", {C("v"), I(-1)}, I(-1)},
      {"FRDeleteValue", {C("v")}, L(true)},
      {"FRDeleteKey", {C("Software")}, L(true)},
      {"FREnumRegValue", {C("laValues")}, I(0)},
      {"FREnumRegKeyEx", {C("laKeys")}, I(0)},
  };
  for (Case& c : cases) EXPECT_EQ(Call(c.function, c.arguments), c.failure) << c.function;
  EXPECT_EQ(Call("FRCloseReg"), L(false));
  ExpectSavedError(0, "calls that made no registry call");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Dorvaine"));
  EXPECT_EQ(host.runtime().variables().Find("laValues"), std::nullopt);
}

TEST_F(SessionTest, WritesGoToThePathInForce) {
  Call("FRSetRegPath", {C("Software\\A")});
  Call("FRSetRegValue", {C("v"), C("first")});
  Call("FRSetRegPath", {C("Software\\B")});
  Call("FRSetRegValue", {C("v"), C("second")});
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Software\\A", "v").data, std::string("first\0", 6));
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Software\\B", "v").data, std::string("second\0", 7));
  EXPECT_EQ(Call("FRGetRegValue", {C("v"), C("")}), C("second"));
}

TEST_F(SessionTest, KeyStaysOpenUntilClosedOrAPathIsSet) {
  Call("FRSetRegPath", {C("Software\\Held")});
  Call("FRSetRegValue", {C("v"), I(1)});
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Held"), ERROR_SUCCESS);
  // The session still holds the deleted key: writes through it fail.
  EXPECT_EQ(Call("FRSetRegValue", {C("v"), I(2)}), L(true));
  ExpectSavedError(ERROR_KEY_DELETED, "a write to a deleted key");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Held"));

  EXPECT_EQ(Call("FRCloseReg"), L(false));
  EXPECT_EQ(Call("FRSetRegValue", {C("v"), I(3)}), L(false)) << "closed: the next write creates the key";
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Software\\Held", "v").data, std::string("\x03\0\0\0", 4));

  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Held"), ERROR_SUCCESS);
  Call("FRSetRegPath", {C("Software\\Held")});
  EXPECT_EQ(Call("FRSetRegValue", {C("v"), I(4)}), L(false)) << "a path set afresh closes the key";
}

TEST_F(SessionTest, DeleteValueRemovesNamedAndDefaultValues) {
  Call("FRSetRegPath", {C("Software\\Values")});
  Call("FRSetRegValue", {C(""), C("the default value")});
  Call("FRSetRegValue", {C("named"), I(1)});
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Software\\Values", "").status, ERROR_SUCCESS);

  EXPECT_EQ(Call("FRDeleteValue", {C("")}), L(false));
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Software\\Values", "").status, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Software\\Values", "named").status, ERROR_SUCCESS);
  EXPECT_EQ(Call("FRDeleteValue", {C("named")}), L(false));
  EXPECT_EQ(Call("FRDeleteValue", {C("named")}), L(true));
  ExpectSavedError(ERROR_FILE_NOT_FOUND, "deleting a missing value");
}

TEST_F(SessionTest, DeleteKeyRemovesOnlySubkeys) {
  Write("Software\\Parent\\Child", "v", REG_DWORD, std::string(4, '\0'));
  Write("Software\\Parent", "v", REG_DWORD, std::string(4, '\0'));
  Call("FRSetRegPath", {C("Software\\Parent")});

  EXPECT_EQ(Call("FRDeleteKey", {C("child")}), L(false));
  ExpectSavedError(0, "deleting a subkey");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Parent\\Child"));
  EXPECT_EQ(Call("FRDeleteKey", {C("Child")}), L(true));
  ExpectSavedError(ERROR_FILE_NOT_FOUND, "deleting a missing subkey");

  // An empty name, or one that is empty up to an embedded NUL, would name the
  // session's key itself (now without subkeys): nothing is deleted.
  EXPECT_EQ(Call("FRDeleteKey", {C("")}), L(true));
  EXPECT_EQ(Call("FRDeleteKey", {C(std::string("\0Child", 6))}), L(true));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Parent"));
  EXPECT_EQ(Call("FRGetRegValue", {C("v"), I(-1)}), I(0)) << "the session's key is still open";
}

TEST_F(SessionTest, ValueOfAnotherTypeIsError9) {
  Call("FRSetRegPath", {C("Software\\Types")});
  for (const char* function : {"FRSetRegValue", "FRGetRegValue"}) {
    for (const FoxValue& value : {FoxValue::Numeric(1.5, 10, 1), L(true), FoxValue::Null()}) {
      EXPECT_EQ(host.CallFails(function, {C("v"), value}).number(), 9) << function << " " << value.type;
    }
  }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Types")) << "a refused write created the key";
}

}  // namespace
}  // namespace foxhost
