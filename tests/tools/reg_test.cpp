// The reg tool run as a process against a fresh prefix; what it did is read
// back through the Reg* calls.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <winapi/windows.h>

#include "scoped_locale.h"
#include "scratch_folder.h"

namespace {

using testing_support::ScratchFolder;

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

struct StoredValue {
  std::string name;
  DWORD type;
  std::string data;
  bool operator==(const StoredValue&) const = default;
};
std::ostream& operator<<(std::ostream& out, const StoredValue& value) {
  return out << "{" << testing::PrintToString(value.name) << ", " << value.type << ", "
             << testing::PrintToString(value.data) << "}";
}

// Every key of a tree by its path below the tree's top ("" for the top), with
// its values in enumeration order.
using StoredTree = std::map<std::string, std::vector<StoredValue>>;

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

void ReadTree(HKEY key, const std::string& below, StoredTree& tree) {
  std::vector<StoredValue>& values = tree[below];
  for (DWORD index = 0;; ++index) {
    char name[512];
    BYTE data[4096];
    DWORD name_length = sizeof name, size = sizeof data, type = 0;
    LSTATUS status = RegEnumValueA(key, index, name, &name_length, nullptr, &type, data, &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(status, ERROR_SUCCESS);
    values.push_back({std::string(name, name_length), type, std::string(reinterpret_cast<char*>(data), size)});
  }
  for (DWORD index = 0;; ++index) {
    char name[512];
    DWORD length = sizeof name;
    LSTATUS status = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(status, ERROR_SUCCESS);
    HKEY child = nullptr;
    ASSERT_EQ(RegOpenKeyExA(key, name, 0, KEY_READ, &child), ERROR_SUCCESS);
    ReadTree(child, below.empty() ? name : below + "\\" + name, tree);
    RegCloseKey(child);
  }
}

class RegToolTest : public ::testing::Test {
 protected:
  // Runs reg with `arguments`, `input` on its standard input.
  Outcome Reg(const std::vector<std::string>& arguments, const std::string& input = "") {
    const std::filesystem::path in = scratch_.Root() / "stdin", out = scratch_.Root() / "stdout",
                                err = scratch_.Root() / "stderr";
    std::ofstream(in, std::ios::binary) << input;
    std::string command = Quote(REG_TOOL);
    for (const std::string& argument : arguments) command += " " + Quote(argument);
    command += " <" + Quote(in) + " >" + Quote(out) + " 2>" + Quote(err);
    const int status = std::system(command.c_str());
    Outcome outcome;
    outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = ReadWhole(out);
    outcome.err = ReadWhole(err);
    return outcome;
  }

  static void Set(HKEY root, const std::string& subkey, const std::string& name, DWORD type,
                  const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static bool KeyExists(HKEY root, const std::string& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // The value's type and bytes; an empty name for a missing one.
  static StoredValue Get(HKEY root, const std::string& subkey, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {"(no key)", 0, ""};
    BYTE data[4096];
    DWORD type = 0, size = sizeof data;
    LSTATUS status = RegQueryValueExA(key, name.c_str(), nullptr, &type, data, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return {"(no value)", 0, ""};
    return {name, type, std::string(reinterpret_cast<char*>(data), size)};
  }

  static StoredTree Tree(HKEY root, const std::string& subkey) {
    StoredTree tree;
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS) << subkey;
    if (key) ReadTree(key, "", tree);
    if (key) RegCloseKey(key);
    return tree;
  }

  ScratchFolder scratch_;
  ScopedLocale locale_{"en_US.UTF-8", nullptr, nullptr};  // ANSI code page 1252
};

TEST_F(RegToolTest, AddWritesEachTypeAndQueryListsIt) {
  const std::string key = "HKCU\\Software\\Tool";
  for (const std::vector<std::string>& add : std::vector<std::vector<std::string>>{
           {"/v", "Name", "/d", "a \"quoted\" C:\\path"},
           {"/v", "Count", "/t", "REG_DWORD", "/d", "0x1A"},
           {"/ve", "/d", "d\xc3\xa9" "faut"},  // UTF-8 on the command line, 1252 in the registry
           {"/v", "Items", "/t", "reg_multi_sz", "/d", "one\\0two"},
           {"/v", "Split", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "a#b#c"},
           {"/v", "Bytes", "/t", "REG_BINARY", "/d", "00ff10"},
           {"/v", "Big", "/t", "REG_QWORD", "/d", "4294967296"},
           {"/v", "Path", "/t", "REG_EXPAND_SZ", "/d", "%TEMP%\\x"},
           {"/v", "Zero", "/t", "REG_DWORD"},
       }) {
    std::vector<std::string> arguments = {"add", key};
    arguments.insert(arguments.end(), add.begin(), add.end());
    arguments.push_back("/f");
    Outcome outcome = Reg(arguments);
    ASSERT_EQ(outcome.code, 0) << arguments[2] << " " << arguments[3] << ": " << outcome.err;
  }
  const std::vector<StoredValue> expected = {
      {"Name", REG_SZ, std::string("a \"quoted\" C:\\path\0", 19)},
      {"Count", REG_DWORD, std::string("\x1a\0\0\0", 4)},
      {"", REG_SZ, std::string("d\xe9" "faut\0", 7)},
      {"Items", REG_MULTI_SZ, std::string("one\0two\0\0", 9)},
      {"Split", REG_MULTI_SZ, std::string("a\0b\0c\0\0", 7)},
      {"Bytes", REG_BINARY, std::string("\x00\xff\x10", 3)},
      {"Big", REG_QWORD, std::string("\0\0\0\0\1\0\0\0", 8)},
      {"Path", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9)},
      {"Zero", REG_DWORD, std::string(4, '\0')},
  };
  EXPECT_EQ(Tree(HKEY_CURRENT_USER, "Software\\Tool")[""], expected);

  Outcome query = Reg({"query", key});
  EXPECT_EQ(query.code, 0) << query.err;
  EXPECT_EQ(query.out,
            "HKEY_CURRENT_USER\\Software\\Tool\n"
            "    Name    REG_SZ    a \"quoted\" C:\\path\n"
            "    Count    REG_DWORD    0x1a\n"
            "    (Default)    REG_SZ    d\xc3\xa9" "faut\n"
            "    Items    REG_MULTI_SZ    one\\0two\n"
            "    Split    REG_MULTI_SZ    a\\0b\\0c\n"
            "    Bytes    REG_BINARY    00FF10\n"
            "    Big    REG_QWORD    0x100000000\n"
            "    Path    REG_EXPAND_SZ    %TEMP%\\x\n"
            "    Zero    REG_DWORD    0x0\n");
  query = Reg({"query", "hkey_current_user\\software\\tool\\", "/v", "COUNT"});
  EXPECT_EQ(query.code, 0) << query.err;
  EXPECT_EQ(query.out, "HKEY_CURRENT_USER\\software\\tool\n    COUNT    REG_DWORD    0x1a\n");
}

TEST_F(RegToolTest, QueryListsSubkeysAndWithSEveryKeyBelow) {
  Set(HKEY_CURRENT_USER, "Software\\Q", "a", REG_SZ, std::string("1\0", 2));
  Set(HKEY_CURRENT_USER, "Software\\Q\\Sub1", "b", REG_DWORD, std::string("\2\0\0\0", 4));
  Set(HKEY_CURRENT_USER, "Software\\Q\\Sub1\\Deep", "b", REG_DWORD, std::string("\3\0\0\0", 4));
  Set(HKEY_CURRENT_USER, "Software\\Q\\Sub2", "c", REG_SZ, std::string("x\0", 2));

  Outcome query = Reg({"query", "HKCU\\Software\\Q"});
  EXPECT_EQ(query.code, 0) << query.err;
  EXPECT_EQ(query.out,
            "HKEY_CURRENT_USER\\Software\\Q\n"
            "    a    REG_SZ    1\n"
            "\n"
            "HKEY_CURRENT_USER\\Software\\Q\\Sub1\n"
            "HKEY_CURRENT_USER\\Software\\Q\\Sub2\n");
  query = Reg({"query", "HKCU\\Software\\Q", "/s"});
  EXPECT_EQ(query.code, 0) << query.err;
  EXPECT_EQ(query.out,
            "HKEY_CURRENT_USER\\Software\\Q\n"
            "    a    REG_SZ    1\n"
            "\n"
            "HKEY_CURRENT_USER\\Software\\Q\\Sub1\n"
            "    b    REG_DWORD    0x2\n"
            "\n"
            "HKEY_CURRENT_USER\\Software\\Q\\Sub1\\Deep\n"
            "    b    REG_DWORD    0x3\n"
            "\n"
            "HKEY_CURRENT_USER\\Software\\Q\\Sub2\n"
            "    c    REG_SZ    x\n");
  query = Reg({"query", "HKCU\\Software\\Q", "/v", "b", "/s"});
  EXPECT_EQ(query.code, 0) << query.err;
  EXPECT_EQ(query.out,
            "HKEY_CURRENT_USER\\Software\\Q\\Sub1\n"
            "    b    REG_DWORD    0x2\n"
            "\n"
            "HKEY_CURRENT_USER\\Software\\Q\\Sub1\\Deep\n"
            "    b    REG_DWORD    0x3\n");
}

TEST_F(RegToolTest, RootsAreNamedShortOrLongInAnyCase) {
  const struct {
    const char* written;
    HKEY root;
    const char* listed;
  } rows[] = {
      {"HKCU", HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
      {"hkey_current_user", HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
      {"HkLm", HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
      {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
      {"HKCR", HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
      {"hkey_classes_root", HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
      {"HKU", HKEY_USERS, "HKEY_USERS"},
      {"HKEY_USERS", HKEY_USERS, "HKEY_USERS"},
      {"hkcc", HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
      {"HKEY_Current_Config", HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
  };
  for (const auto& row : rows) {
    const std::string key = std::string(row.written) + "\\RootTest";
    Outcome add = Reg({"add", key, "/v", "from", "/d", row.written, "/f"});
    ASSERT_EQ(add.code, 0) << row.written << ": " << add.err;
    EXPECT_EQ(Get(row.root, "RootTest", "from").data, std::string(row.written) + '\0') << row.written;
    Outcome query = Reg({"query", key, "/v", "from"});
    EXPECT_EQ(query.out, std::string(row.listed) + "\\RootTest\n    from    REG_SZ    " + row.written + "\n");
  }
}

TEST_F(RegToolTest, DeleteRemovesAValueAllValuesOrTheTree) {
  const std::string key = "HKCU\\Software\\Del";
  Set(HKEY_CURRENT_USER, "Software\\Del", "", REG_SZ, std::string("d\0", 2));
  Set(HKEY_CURRENT_USER, "Software\\Del", "one", REG_SZ, std::string("1\0", 2));
  Set(HKEY_CURRENT_USER, "Software\\Del", "two", REG_SZ, std::string("2\0", 2));
  Set(HKEY_CURRENT_USER, "Software\\Del\\Sub\\Deep", "three", REG_SZ, std::string("3\0", 2));

  EXPECT_EQ(Reg({"delete", key, "/v", "one", "/f"}).code, 0);
  EXPECT_EQ(Reg({"delete", key, "/ve", "/f"}).code, 0);
  EXPECT_EQ(Tree(HKEY_CURRENT_USER, "Software\\Del")[""],
            (std::vector<StoredValue>{{"two", REG_SZ, std::string("2\0", 2)}}));
  EXPECT_EQ(Reg({"delete", key, "/va", "/f"}).code, 0);
  EXPECT_TRUE(Tree(HKEY_CURRENT_USER, "Software\\Del")[""].empty());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Del\\Sub\\Deep"));
  EXPECT_EQ(Reg({"delete", key, "/f"}).code, 0);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Del"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software"));
}

// Without /f a change that would overwrite or delete is made only after a
// yes on standard input; anything else, end of input included, leaves it.
TEST_F(RegToolTest, OverwriteAndDeleteAskFirst) {
  const struct {
    const char* input;
    bool agreed;
  } rows[] = {{"", false}, {"no\n", false}, {"n\r\n", false}, {"yesterday\n", false},
              {"yes\n", true}, {"Y\n", true}};
  for (const auto& row : rows) {
    Set(HKEY_CURRENT_USER, "Software\\Ask", "v", REG_SZ, std::string("old\0", 4));
    Outcome add = Reg({"add", "HKCU\\Software\\Ask", "/v", "v", "/d", "new"}, row.input);
    EXPECT_EQ(add.code, row.agreed ? 0 : 1) << testing::PrintToString(row.input);
    EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Ask", "v").data, std::string(row.agreed ? "new" : "old") + '\0')
        << testing::PrintToString(row.input);
    EXPECT_NE(add.out.find("(Yes/No)"), std::string::npos) << add.out;

    Outcome remove = Reg({"delete", "HKCU\\Software\\Ask", "/v", "v"}, row.input);
    EXPECT_EQ(remove.code, row.agreed ? 0 : 1) << testing::PrintToString(row.input);
    EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\Ask", "v").name, row.agreed ? "(no value)" : "v");
    Outcome drop = Reg({"delete", "HKCU\\Software\\Ask"}, row.input);
    EXPECT_EQ(drop.code, row.agreed ? 0 : 1) << testing::PrintToString(row.input);
    EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, "Software\\Ask"), !row.agreed);
  }
  // A new value needs no answer.
  EXPECT_EQ(Reg({"add", "HKCU\\Software\\Ask", "/v", "fresh", "/d", "x"}).code, 0);
}

TEST_F(RegToolTest, FailuresExitOneWithAMessageAndChangeNothing) {
  Set(HKEY_CURRENT_USER, "Software\\Tool", "kept", REG_SZ, std::string("k\0", 2));
  const std::string key = "HKCU\\Software\\Tool";
  const std::string missing_file = (scratch_.Root() / "missing.reg").string();
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } rows[] = {
      {{"query", "HKCU\\Software\\Missing"}, "does not exist"},
      {{"query", key, "/v", "missing"}, "does not exist"},
      {{"query", key, "/v", "missing", "/s"}, "does not exist"},
      {{"delete", "HKCU\\Software\\Missing", "/f"}, "does not exist"},
      {{"delete", key, "/v", "missing", "/f"}, "does not exist"},
      {{"export", "HKCU\\Software\\Missing", (scratch_.Root() / "x.reg").string()}, "does not exist"},
      {{"import", missing_file}, "Cannot read"},
      {{"query", "HKXX\\Software"}, "Not a valid key"},
      {{"query", "HKCU\\a\\\\b"}, "Not a valid key"},
      {{"query", "Software\\Tool"}, "Not a valid key"},
      {{"add", key, "/v", "n", "/t", "REG_DWORD", "/d", "12x", "/f"}, "number"},
      {{"add", key, "/v", "n", "/t", "REG_DWORD", "/d", "4294967296", "/f"}, "number"},
      {{"add", key, "/v", "n", "/t", "REG_DWORD", "/d", "-1", "/f"}, "number"},
      {{"add", key, "/v", "n", "/t", "REG_QWORD", "/d", "0x", "/f"}, "number"},
      {{"add", key, "/v", "n", "/t", "REG_BINARY", "/d", "0g", "/f"}, "hexadecimal"},
      {{"add", key, "/v", "n", "/t", "REG_BINARY", "/d", "abc", "/f"}, "hexadecimal"},
      {{"add", key, "/v", "n", "/t", "REG_MULTI_SZ", "/d", "a\\0\\0b", "/f"}, "empty item"},
      {{"add", key, "/v", "n", "/t", "REG_FOO", "/f"}, "Unknown value type"},
      {{"add", key, "/v", "n", "/d", "\xe4\xb8\xad", "/f"}, "ANSI code page"},  // not in 1252
      {{"add", key, "/v", "n", "/ve", "/f"}, "not both"},
      {{"add", key, "/d", "x", "/f"}, "/v or /ve"},
      {{"add", key, "/v"}, "needs a value"},
      {{"add", key, "/f", "/f"}, "twice"},
      {{"delete", "HKCU", "/f"}, "root key"},
      {{"query", key, "/x"}, "Unknown switch /x"},
      {{"query"}, "missing"},
      {{"query", key, "extra"}, "Too many"},
      {{"frobnicate"}, "Unknown command"},
      {{}, "No command"},
  };
  for (const auto& row : rows) {
    Outcome outcome = Reg(row.arguments);
    const std::string shown = testing::PrintToString(row.arguments);
    EXPECT_EQ(outcome.code, 1) << shown;
    EXPECT_TRUE(outcome.err.starts_with("ERROR: ")) << shown << ": " << outcome.err;
    EXPECT_NE(outcome.err.find(row.message), std::string::npos) << shown << ": " << outcome.err;
    EXPECT_EQ(outcome.out, "") << shown;
  }
  EXPECT_EQ(Tree(HKEY_CURRENT_USER, "Software\\Tool"),
            (StoredTree{{"", {{"kept", REG_SZ, std::string("k\0", 2)}}}}));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Missing"));
  EXPECT_FALSE(std::filesystem::exists(scratch_.Root() / "x.reg"));
}

TEST_F(RegToolTest, UsageOnRequest) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"/?"}, {"--help"}, {"-h"}, {"query", "/?"}}) {
    Outcome outcome = Reg(arguments);
    EXPECT_EQ(outcome.code, 0) << arguments[0];
    EXPECT_NE(outcome.out.find("reg export KEY FILE"), std::string::npos) << outcome.out;
  }
}

// A key holding every kind of value, and subkeys: exported, imported into an
// empty registry and exported again, it comes back byte for byte.
TEST_F(RegToolTest, ExportAndImportRoundTripEveryValueType) {
  const std::string top = "Software\\Round Trip";
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += static_cast<char>(i);
  Set(HKEY_CURRENT_USER, top, "text", REG_SZ, std::string("C:\\dir\\\"quoted\"\0", 16));
  Set(HKEY_CURRENT_USER, top, "", REG_SZ, std::string("default\0", 8));
  Set(HKEY_CURRENT_USER, top, "empty", REG_SZ, std::string("\0", 1));
  Set(HKEY_CURRENT_USER, top, "no terminator", REG_SZ, "abc");
  Set(HKEY_CURRENT_USER, top, "embedded nul", REG_SZ, std::string("a\0b\0", 4));
  Set(HKEY_CURRENT_USER, top, "line break", REG_SZ, std::string("a\r\nb\0", 5));
  Set(HKEY_CURRENT_USER, top, "no bytes", REG_SZ, "");
  Set(HKEY_CURRENT_USER, top, "Gr\xf6\xdf" "e", REG_SZ, std::string("\xe9t\xe9\0", 4));
  Set(HKEY_CURRENT_USER, top, "odd \"name\" \\", REG_DWORD, std::string("\x01\x02\x03\x04", 4));
  Set(HKEY_CURRENT_USER, top, "expand", REG_EXPAND_SZ, std::string("%PATH%;x\0", 9));
  Set(HKEY_CURRENT_USER, top, "binary", REG_BINARY, hundred);
  Set(HKEY_CURRENT_USER, top, "empty binary", REG_BINARY, "");
  Set(HKEY_CURRENT_USER, top, "dword", REG_DWORD, std::string("\x0a\0\0\0", 4));
  Set(HKEY_CURRENT_USER, top, "short dword", REG_DWORD, std::string("\x0a\0", 2));
  Set(HKEY_CURRENT_USER, top, "qword", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
  Set(HKEY_CURRENT_USER, top, "multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9));
  Set(HKEY_CURRENT_USER, top, "none", REG_NONE, std::string("\x00\xff", 2));
  Set(HKEY_CURRENT_USER, top, "big endian", REG_DWORD_BIG_ENDIAN, std::string("\0\0\0\x0a", 4));
  Set(HKEY_CURRENT_USER, top + "\\Child", "x", REG_SZ, std::string("1\0", 2));
  Set(HKEY_CURRENT_USER, top + "\\Child\\Grand [child]", "", REG_SZ, std::string("g\0", 2));
  HKEY empty = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (top + "\\Empty").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &empty, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(empty);
  const StoredTree before = Tree(HKEY_CURRENT_USER, top);
  ASSERT_EQ(before.size(), 4u);

  const std::filesystem::path first = scratch_.Root() / "first.reg", second = scratch_.Root() / "second.reg";
  Outcome exported = Reg({"export", "HKCU\\" + top, first.string()});
  ASSERT_EQ(exported.code, 0) << exported.err;
  const std::string file = ReadWhole(first);
  EXPECT_TRUE(file.starts_with("Windows Registry Editor Version 5.00\r\n\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Round Trip]\r\n"
                               "\"text\"=\"C:\\\\dir\\\\\\\"quoted\\\"\"\r\n"
                               "@=\"default\"\r\n"
                               "\"empty\"=\"\"\r\n"
                               "\"no terminator\"=hex(1):61,62,63\r\n"
                               "\"embedded nul\"=hex(1):61,00,62,00\r\n"
                               "\"line break\"=hex(1):61,0d,0a,62,00\r\n"
                               "\"no bytes\"=hex(1):\r\n"
                               "\"Gr\xc3\xb6\xc3\x9f" "e\"=\"\xc3\xa9t\xc3\xa9\"\r\n"
                               "\"odd \\\"name\\\" \\\\\"=dword:04030201\r\n"
                               "\"expand\"=hex(2):25,50,41,54,48,25,3b,78,00\r\n"
                               "\"binary\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
                               "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\\r\n"
                               "  2f,30,31,32,33,34,35,36,37,38,39,3a,3b,3c,3d,3e,3f,40,41,42,43,44,45,46,47,\\\r\n"
                               "  48,49,4a,4b,4c,4d,4e,4f,50,51,52,53,54,55,56,57,58,59,5a,5b,5c,5d,5e,5f,60,\\\r\n"
                               "  61,62,63\r\n"
                               "\"empty binary\"=hex:\r\n"
                               "\"dword\"=dword:0000000a\r\n"
                               "\"short dword\"=hex(4):0a,00\r\n"
                               "\"qword\"=hex(b):01,02,03,04,05,06,07,08\r\n"
                               "\"multi\"=hex(7):6f,6e,65,00,74,77,6f,00,00\r\n"
                               "\"none\"=hex(0):00,ff\r\n"
                               "\"big endian\"=hex(5):00,00,00,0a\r\n"
                               "\r\n"))
      << file;
  EXPECT_NE(file.find("\r\n\r\n[HKEY_CURRENT_USER\\Software\\Round Trip\\Child\\Grand [child]]\r\n@=\"g\"\r\n"),
            std::string::npos)
      << file;
  EXPECT_TRUE(file.ends_with("[HKEY_CURRENT_USER\\Software\\Round Trip\\Empty]\r\n\r\n")) << file;

  {
    ScratchFolder empty_registry;
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, top));
    Outcome imported = Reg({"import", first.string()});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(Tree(HKEY_CURRENT_USER, top), before);
    Outcome again = Reg({"export", "HKEY_CURRENT_USER\\" + top, second.string()});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(ReadWhole(second), file);
  }
}

// Under a Chinese locale the registry holds GBK bytes; the file holds the
// same text in UTF-8, and importing it gives the GBK bytes back.
TEST_F(RegToolTest, ExportWritesUtf8AndImportRestoresTheCodePageBytes) {
  ScopedLocale chinese("zh_CN.UTF-8", nullptr, nullptr);
  const std::string name = "\xd6\xd0\xce\xc4", data = std::string("\xb2\xe2\xca\xd4\0", 5);  // 中文, 测试
  Set(HKEY_CURRENT_USER, "Software\\\xd6\xd0", name, REG_SZ, data);
  const std::filesystem::path file = scratch_.Root() / "chinese.reg";
  ASSERT_EQ(Reg({"export", "HKCU\\Software\\\xe4\xb8\xad", file.string()}).code, 0);
  EXPECT_EQ(ReadWhole(file),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\\xe4\xb8\xad]\r\n"
            "\"\xe4\xb8\xad\xe6\x96\x87\"=\"\xe6\xb5\x8b\xe8\xaf\x95\"\r\n\r\n");
  ScratchFolder empty_registry;
  ASSERT_EQ(Reg({"import", file.string()}).code, 0);
  EXPECT_EQ(Get(HKEY_CURRENT_USER, "Software\\\xd6\xd0", name), (StoredValue{name, REG_SZ, data}));
}

// Files as the editor or a person writes them: LF or CR LF line ends,
// comments, continued hex lines, deletions, short root names.
TEST_F(RegToolTest, ImportCreatesSetsAndDeletes) {
  for (const std::string line_end : {"\n", "\r\n"}) {
    Set(HKEY_CURRENT_USER, "Software\\Imp\\Old\\Below", "x", REG_SZ, std::string("x\0", 2));
    Set(HKEY_CURRENT_USER, "Software\\Imp", "stale", REG_SZ, std::string("s\0", 2));
    Set(HKEY_CURRENT_USER, "Software\\Imp", "kept", REG_SZ, std::string("k\0", 2));
    const std::vector<std::string> lines = {
        "Windows Registry Editor Version 5.00",
        "",
        "; a comment",
        "[-HKEY_CURRENT_USER\\Software\\Imp\\Old]",
        "[-HKEY_CURRENT_USER\\Software\\Imp\\Never there]",
        "",
        "[hkcu\\Software\\Imp]",
        "\"stale\"=-",
        "\"never there\"=-",
        "\"wrapped\"=hex:01,02,\\",
        "    03,04",
        "@=\"d\"",
        "  \"spaced\" = dword:FF  ",
        "[HKEY_LOCAL_MACHINE\\Software\\Imp\\New]",
        "\"m\"=hex(7):61,00,62,00,00",
    };
    std::string text;
    for (const std::string& line : lines) text += line + line_end;
    const std::string path = scratch_.Write("import.reg", text);
    Outcome imported = Reg({"import", path});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Imp\\Old"));
    EXPECT_EQ(Tree(HKEY_CURRENT_USER, "Software\\Imp"),
              (StoredTree{{"",
                           {{"kept", REG_SZ, std::string("k\0", 2)},
                            {"wrapped", REG_BINARY, "\x01\x02\x03\x04"},
                            {"", REG_SZ, std::string("d\0", 2)},
                            {"spaced", REG_DWORD, std::string("\xff\0\0\0", 4)}}}}))
        << testing::PrintToString(line_end);
    EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, "Software\\Imp\\New", "m").data, std::string("a\0b\0\0", 5));
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Imp"), ERROR_SUCCESS);
  }
}

// A malformed file is refused whole: the line is named and nothing before it
// is carried out.
TEST_F(RegToolTest, ImportRefusesAMalformedFileWhole) {
  const std::string good = "[HKEY_CURRENT_USER\\Software\\Bad]\n\"first\"=\"1\"\n";
  const std::string header = "Windows Registry Editor Version 5.00\n\n";
  const struct {
    std::string text;
    const char* message;
  } rows[] = {
      {good, "line 1: the file does not begin with"},
      {"REGEDIT4\n\n" + good, "line 1:"},
      {header + "\"orphan\"=\"1\"\n" + good, "line 3: a value line needs a [key]"},
      {header + good + "\"a\"=\"\\q\"\n", "line 5: a backslash"},
      {header + good + "\"a\"=\"open\n", "line 5: a quoted text has no closing quote"},
      {header + good + "\"a\"=\"x\" y\n", "line 5: nothing may follow"},
      {header + good + "\"a\"=hex:1g\n", "line 5: hex data"},
      {header + good + "\"a\"=hex:01,,02\n", "line 5: hex data"},
      {header + good + "\"a\"=hex(x):01\n", "line 5: hex("},
      {header + good + "\"a\"=dword:123456789\n", "line 5: dword:"},
      {header + good + "\"a\"=word:1\n", "line 5: the data is not"},
      {header + good + "\"a\" \"1\"\n", "line 5: a value name is followed by ="},
      {header + good + "\"a\"=hex:01,\\\n", "line 5: the last line ends in a backslash"},
      {header + good + "[HKEY_NOWHERE\\x]\n", "line 5: not a valid key"},
      {header + good + "[HKEY_CURRENT_USER\\x\n", "line 5: a key line ends with ]"},
      {header + good + "[-HKEY_CURRENT_USER]\n", "line 5: a root key cannot be deleted"},
      {header + good + "[-HKEY_CURRENT_USER\\y]\n\"a\"=\"1\"\n", "line 6: a value line needs a [key]"},
      {header + good + "\"\xe4\xb8\xad\"=\"1\"\n", "line 5: \"\xe4\xb8\xad\" cannot be written"},
      {header + good + "junk\n", "line 5: this is not a key, value or comment line"},
      {"\xff\xfeW\0i\0", "UTF-16"},
  };
  for (const auto& row : rows) {
    const std::string path = scratch_.Write("bad.reg", row.text);
    Outcome imported = Reg({"import", path});
    EXPECT_EQ(imported.code, 1) << row.text;
    EXPECT_NE(imported.err.find(row.message), std::string::npos) << row.text << "\n" << imported.err;
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Bad")) << row.text;
  }
}

TEST_F(RegToolTest, ExportAsksBeforeReplacingAFile) {
  Set(HKEY_CURRENT_USER, "Software\\Exp", "v", REG_SZ, std::string("1\0", 2));
  const std::string path = scratch_.Write("existing.reg", "keep me");
  EXPECT_EQ(Reg({"export", "HKCU\\Software\\Exp", path}, "no\n").code, 1);
  EXPECT_EQ(ReadWhole(path), "keep me");
  EXPECT_EQ(Reg({"export", "HKCU\\Software\\Exp", path, "/y"}).code, 0);
  EXPECT_TRUE(ReadWhole(path).ends_with("\"v\"=\"1\"\r\n\r\n"));
}

}  // namespace
