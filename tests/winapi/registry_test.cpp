#include <winapi/windows.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "posix/messages.h"
#include "posix/syscalls.h"
#include "registry_fixture.h"
#include "scoped_locale.h"

namespace {

constexpr DWORD kSentinel = 0xDEADBEEF;
constexpr BYTE kPattern = 0xA5;
const HKEY kStale = reinterpret_cast<HKEY>(uintptr_t{0x7fff0000});

TEST_F(RegistryTest, OpenAndCreateFollowWindowsPaths) {
  HKEY made;
  ASSERT_EQ(create(key_, "Alpha\\Beta", &made), ERROR_SUCCESS);
  struct Row {
    const char* what;
    bool create;
    HKEY base;
    const char* subkey;
    LSTATUS status;
    DWORD disposition;  // kSentinel: left alone
  };
  const std::string long_name(255, 'n');
  const std::string too_long(256, 'n');
  const std::string long_path = "Alpha\\" + long_name;
  const std::string too_long_path = "Alpha\\" + too_long;
  const Row rows[] = {
      {"missing key", false, key_, "Gamma", ERROR_FILE_NOT_FOUND, kSentinel},
      {"missing level", false, key_, "Alpha\\Gamma\\Beta", ERROR_FILE_NOT_FOUND, kSentinel},
      {"other case", false, key_, "ALPHA\\beta", ERROR_SUCCESS, kSentinel},
      {"runs of backslashes", false, key_, "Alpha\\\\Beta\\", ERROR_SUCCESS, kSentinel},
      {"leading backslash", false, key_, "\\Alpha", ERROR_BAD_PATHNAME, kSentinel},
      {"leading backslash", true, key_, "\\Alpha", ERROR_BAD_PATHNAME, kSentinel},
      {"null subkey", false, key_, nullptr, ERROR_SUCCESS, kSentinel},
      {"empty subkey", false, key_, "", ERROR_SUCCESS, kSentinel},
      {"null subkey", true, key_, nullptr, ERROR_SUCCESS, REG_OPENED_EXISTING_KEY},
      {"existing key", true, key_, "alpha\\BETA", ERROR_SUCCESS, REG_OPENED_EXISTING_KEY},
      {"several new levels", true, key_, "Alpha\\One\\Two\\Three", ERROR_SUCCESS, REG_CREATED_NEW_KEY},
      {"created levels", false, key_, "Alpha\\One\\Two", ERROR_SUCCESS, kSentinel},
      {"255 characters", true, key_, long_path.c_str(), ERROR_SUCCESS, REG_CREATED_NEW_KEY},
      {"256 characters", true, key_, too_long_path.c_str(), ERROR_INVALID_PARAMETER, kSentinel},
      {"256 characters", false, key_, too_long_path.c_str(), ERROR_INVALID_PARAMETER, kSentinel},
      {"root", false, HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes", ERROR_SUCCESS, kSentinel},
      {"root itself", false, HKEY_USERS, nullptr, ERROR_SUCCESS, kSentinel},
      {"null handle", false, nullptr, "Alpha", ERROR_INVALID_HANDLE, kSentinel},
      {"foreign handle", true, kStale, "Alpha", ERROR_INVALID_HANDLE, kSentinel},
      {"unsupported root", false, reinterpret_cast<HKEY>(uintptr_t{0x80000004}), "x",
       ERROR_INVALID_HANDLE, kSentinel},
  };
  for (const Row& row : rows) {
    const std::string where = std::string(row.create ? "create " : "open ") + row.what;
    HKEY result = kStale;
    DWORD disposition = kSentinel;
    LSTATUS status = row.create ? create(row.base, row.subkey, &result, &disposition)
                                : open(row.base, row.subkey, &result);
    EXPECT_EQ(status, row.status) << where;
    EXPECT_EQ(disposition, row.disposition) << where;
    if (status == ERROR_SUCCESS) {
      EXPECT_NE(result, row.base) << where << ": a new handle each time";
      EXPECT_EQ(RegQueryInfoKeyA(result, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr),
                ERROR_SUCCESS)
          << where;
    } else {
      EXPECT_EQ(result, nullptr) << where << ": a failed open gives NULL";
    }
  }
  EXPECT_EQ(RegOpenKeyExA(key_, "Alpha", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(subkey_names(made).size(), 0u);
  HKEY alpha;
  ASSERT_EQ(open(key_, "alpha", &alpha), ERROR_SUCCESS);
  EXPECT_EQ(subkey_names(alpha), (std::vector<std::string>{"Beta", long_name, "One"}))
      << "names keep the case they were created with";
}

TEST_F(RegistryTest, QueryValueSizesCodesAndUntouchedBytes) {
  ASSERT_EQ(set(key_, "Text", REG_SZ, std::string("abc\0", 4)), ERROR_SUCCESS);
  ASSERT_EQ(set(key_, "Bare", REG_SZ, "xyz"), ERROR_SUCCESS);  // stored without a NUL
  ASSERT_EQ(set_dword(key_, "Number", 7), ERROR_SUCCESS);
  ASSERT_EQ(set(key_, "Empty", REG_BINARY, ""), ERROR_SUCCESS);
  ASSERT_EQ(set(key_, "", REG_SZ, std::string("dflt\0", 5)), ERROR_SUCCESS);
  constexpr DWORD kNoBuffer = 0xFFFFFFFF;
  struct Row {
    const char* name;
    DWORD buffer;  // bytes offered; kNoBuffer: lpData NULL
    LSTATUS status;
    DWORD size;  // *lpcbData after
    DWORD type;  // *lpType after
    std::string bytes;  // the buffer's first bytes after, pattern included
  };
  const std::string p(1, static_cast<char>(kPattern));
  const Row rows[] = {
      {"Text", 16, ERROR_SUCCESS, 4, REG_SZ, std::string("abc\0", 4) + p},
      {"text", 4, ERROR_SUCCESS, 4, REG_SZ, std::string("abc\0", 4) + p},
      {"TEXT", 3, ERROR_MORE_DATA, 4, REG_SZ, p + p + p + p},
      {"Text", kNoBuffer, ERROR_SUCCESS, 4, REG_SZ, p},
      {"Bare", 16, ERROR_SUCCESS, 3, REG_SZ, "xyz" + p},
      {"Number", 4, ERROR_SUCCESS, 4, REG_DWORD, std::string("\7\0\0\0", 4) + p},
      {"Number", 2, ERROR_MORE_DATA, 4, REG_DWORD, p + p},
      {"Empty", 8, ERROR_SUCCESS, 0, REG_BINARY, p},
      {"Empty", 0, ERROR_SUCCESS, 0, REG_BINARY, p},
      {"", 16, ERROR_SUCCESS, 5, REG_SZ, std::string("dflt\0", 5) + p},
      {nullptr, 16, ERROR_SUCCESS, 5, REG_SZ, std::string("dflt\0", 5) + p},
      {"Missing", 16, ERROR_FILE_NOT_FOUND, 16, kSentinel, p},
  };
  for (const Row& row : rows) {
    const std::string where = std::string("value ") + (row.name ? row.name : "NULL") +
                              " into " + std::to_string(static_cast<int>(row.buffer)) + " bytes";
    BYTE buffer[32];
    std::memset(buffer, kPattern, sizeof buffer);
    DWORD size = row.buffer == kNoBuffer ? 16 : row.buffer;
    DWORD type = kSentinel;
    LSTATUS status = RegQueryValueExA(key_, row.name, nullptr, &type,
                                      row.buffer == kNoBuffer ? nullptr : buffer, &size);
    EXPECT_EQ(status, row.status) << where;
    EXPECT_EQ(size, row.size) << where;
    EXPECT_EQ(type, row.type) << where;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), row.bytes.size()), row.bytes) << where;
  }
  BYTE buffer[8];
  DWORD size = sizeof buffer;
  DWORD reserved = 0;
  EXPECT_EQ(RegQueryValueExA(key_, "Text", &reserved, nullptr, buffer, &size), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(key_, "Text", nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(key_, "Text", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS)
      << "no outputs: only whether the value is there";
  EXPECT_EQ(RegDeleteValueA(key_, nullptr), ERROR_SUCCESS) << "NULL names the default value";
  EXPECT_EQ(get(key_, ""), "<error 2>");
  EXPECT_EQ(RegDeleteValueA(key_, ""), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegSetValueExA(key_, "Bad", 0, REG_BINARY, nullptr, 4), ERROR_NOACCESS);
  EXPECT_EQ(RegSetValueExA(key_, std::string(16384, 'v').c_str(), 0, REG_SZ, nullptr, 0),
            ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, ValuesListInCreationOrderSubkeysInNameOrder) {
  for (const char* name : {"Zulu", "alpha", "Mike", ""}) ASSERT_EQ(set(key_, name, REG_SZ, name), ERROR_SUCCESS);
  ASSERT_EQ(set_dword(key_, "ALPHA", 9), ERROR_SUCCESS);  // overwrite: same place, first name's case
  ASSERT_EQ(RegDeleteValueA(key_, "zulu"), ERROR_SUCCESS);
  ASSERT_EQ(set(key_, "Zulu", REG_SZ, "again"), ERROR_SUCCESS);  // re-created: last
  EXPECT_EQ(value_names(key_), (std::vector<std::string>{"alpha", "Mike", "", "Zulu"}));
  DWORD type = 0;
  EXPECT_EQ(get(key_, "Alpha", &type), std::string("\x09\0\0\0", 4));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

  HKEY sub;
  for (const char* name : {"b", "_under", "C", "a", "Ab", "A_b"}) ASSERT_EQ(create(key_, name, &sub), ERROR_SUCCESS);
  // Windows orders by the upper-case form: '_' sorts after the letters.
  EXPECT_EQ(subkey_names(key_), (std::vector<std::string>{"a", "Ab", "A_b", "b", "C", "_under"}));
}

TEST_F(RegistryTest, EnumerationBuffersAndCodes) {
  ASSERT_EQ(set(key_, "Name", REG_SZ, std::string("Tom\0", 4)), ERROR_SUCCESS);
  HKEY sub;
  ASSERT_EQ(create(key_, "Sub", &sub), ERROR_SUCCESS);
  struct Row {
    const char* what;
    DWORD index;
    DWORD name_chars;
    DWORD data_bytes;
    LSTATUS status;
    DWORD name_chars_after;
    std::string name_after;  // pattern included
    DWORD data_bytes_after;
    DWORD type_after;
  };
  const std::string p(1, static_cast<char>(kPattern));
  const Row value_rows[] = {
      {"fits", 0, 5, 4, ERROR_SUCCESS, 4, std::string("Name\0", 5) + p, 4, REG_SZ},
      {"name without room for NUL", 0, 4, 4, ERROR_MORE_DATA, 4, p, 4, kSentinel},
      {"data too small", 0, 5, 3, ERROR_MORE_DATA, 4, std::string("Name\0", 5), 4, REG_SZ},
      {"past the end", 1, 5, 4, ERROR_NO_MORE_ITEMS, 5, p, 4, kSentinel},
  };
  for (const Row& row : value_rows) {
    char name[16];
    BYTE data[16];
    std::memset(name, kPattern, sizeof name);
    std::memset(data, kPattern, sizeof data);
    DWORD chars = row.name_chars, bytes = row.data_bytes, type = kSentinel;
    EXPECT_EQ(RegEnumValueA(key_, row.index, name, &chars, nullptr, &type, data, &bytes), row.status)
        << "RegEnumValueA " << row.what;
    EXPECT_EQ(chars, row.name_chars_after) << "RegEnumValueA " << row.what;
    EXPECT_EQ(std::string(name, row.name_after.size()), row.name_after) << "RegEnumValueA " << row.what;
    EXPECT_EQ(bytes, row.data_bytes_after) << "RegEnumValueA " << row.what;
    EXPECT_EQ(type, row.type_after) << "RegEnumValueA " << row.what;
  }
  const Row key_rows[] = {
      {"fits", 0, 4, 0, ERROR_SUCCESS, 3, std::string("Sub\0", 4) + p, 0, 0},
      {"name without room for NUL", 0, 3, 0, ERROR_MORE_DATA, 3, p, 0, 0},
      {"past the end", 1, 4, 0, ERROR_NO_MORE_ITEMS, 4, p, 0, 0},
  };
  for (const Row& row : key_rows) {
    char name[16];
    std::memset(name, kPattern, sizeof name);
    DWORD chars = row.name_chars;
    EXPECT_EQ(RegEnumKeyExA(key_, row.index, name, &chars, nullptr, nullptr, nullptr, nullptr), row.status)
        << "RegEnumKeyExA " << row.what;
    EXPECT_EQ(chars, row.name_chars_after) << "RegEnumKeyExA " << row.what;
    EXPECT_EQ(std::string(name, row.name_after.size()), row.name_after) << "RegEnumKeyExA " << row.what;
  }
}

TEST_F(RegistryTest, QueryInfoGivesCountsAndLongestSizes) {
  ASSERT_EQ(set(key_, "Short", REG_SZ, "1234567"), ERROR_SUCCESS);
  ASSERT_EQ(set(key_, "LongerName", REG_BINARY, std::string(300, 'x')), ERROR_SUCCESS);
  HKEY sub;
  ASSERT_EQ(create(key_, "Key", &sub), ERROR_SUCCESS);
  ASSERT_EQ(create(key_, "LongestKeyName", &sub), ERROR_SUCCESS);
  DWORD subkeys = kSentinel, longest_subkey = kSentinel, values = kSentinel,
        longest_name = kSentinel, longest_data = kSentinel;
  FILETIME written{};
  ASSERT_EQ(RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, &subkeys, &longest_subkey, nullptr,
                             &values, &longest_name, &longest_data, nullptr, &written),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 2u);
  EXPECT_EQ(longest_subkey, 14u) << "characters, without the NUL";
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(longest_name, 10u);
  EXPECT_EQ(longest_data, 300u) << "bytes";
  EXPECT_GT(written.dwHighDateTime, 0x01D00000u) << "a FILETIME of this century";

  DWORD reserved = 0;
  EXPECT_EQ(RegQueryInfoKeyA(key_, nullptr, nullptr, &reserved, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  HKEY empty;
  ASSERT_EQ(create(key_, "Key", &empty), ERROR_SUCCESS);
  subkeys = values = longest_subkey = longest_name = longest_data = kSentinel;
  ASSERT_EQ(RegQueryInfoKeyA(empty, nullptr, nullptr, nullptr, &subkeys, &longest_subkey, nullptr,
                             &values, &longest_name, &longest_data, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys + longest_subkey + values + longest_name + longest_data, 0u);
}

TEST_F(RegistryTest, NonAsciiNamesFoldInTheAnsiCodePage) {
  ScopedLocale locale("en_US.UTF-8", nullptr, nullptr);  // code page 1252
  HKEY sub;
  ASSERT_EQ(create(key_, "\xC9t\xE9", &sub), ERROR_SUCCESS);  // "Été"
  HKEY again;
  EXPECT_EQ(open(key_, "\xE9T\xC9", &again), ERROR_SUCCESS) << "éTÉ names the same key";
  EXPECT_EQ(subkey_names(key_), std::vector<std::string>{"\xC9t\xE9"});
  ASSERT_EQ(set(sub, "Stra\xDF" "e", REG_SZ, "x"), ERROR_SUCCESS);  // "Straße"
  EXPECT_EQ(get(sub, "STRA\xDF" "E"), "x");
  EXPECT_EQ(get(sub, "STRASSE"), "<error 2>") << "no character expands: ß is not SS";
  DWORD longest = 0;
  ASSERT_EQ(RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(longest, 3u) << "CHARs in the code page, not UTF-8 bytes";
}

TEST_F(RegistryTest, DeletingKeysAndTrees) {
  HKEY a, b;
  ASSERT_EQ(create(key_, "A\\B\\C", &a), ERROR_SUCCESS);
  ASSERT_EQ(create(key_, "A\\B2", &b), ERROR_SUCCESS);
  ASSERT_EQ(set(b, "v", REG_SZ, "1"), ERROR_SUCCESS);
  struct Row {
    const char* what;
    LSTATUS (*call)(HKEY, LPCSTR);
    HKEY base;
    const char* subkey;
    LSTATUS status;
  };
  const Row rows[] = {
      {"key with subkeys", RegDeleteKeyA, key_, "A", ERROR_ACCESS_DENIED},
      {"missing key", RegDeleteKeyA, key_, "Nope", ERROR_FILE_NOT_FOUND},
      {"null subkey", RegDeleteKeyA, key_, nullptr, ERROR_INVALID_PARAMETER},
      {"a root", RegDeleteKeyA, HKEY_CURRENT_USER, "", ERROR_ACCESS_DENIED},
      {"the classes key", RegDeleteTreeA, HKEY_LOCAL_MACHINE, "SOFTWARE", ERROR_ACCESS_DENIED},
      {"leaf with values", RegDeleteKeyA, key_, "a\\b2", ERROR_SUCCESS},
      {"leaf, gone", RegDeleteKeyA, key_, "A\\B2", ERROR_FILE_NOT_FOUND},
      {"tree", RegDeleteTreeA, key_, "A\\B", ERROR_SUCCESS},
      {"missing tree", RegDeleteTreeA, key_, "A\\B", ERROR_FILE_NOT_FOUND},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.call(row.base, row.subkey), row.status) << row.what;
  HKEY left;
  EXPECT_EQ(open(key_, "A", &left), ERROR_SUCCESS);
  EXPECT_TRUE(subkey_names(left).empty());
  HKEY classes;
  EXPECT_EQ(open(HKEY_CLASSES_ROOT, "", &classes), ERROR_SUCCESS) << "the classes key stays";
  HKEY machine;
  ASSERT_EQ(create(HKEY_LOCAL_MACHINE, "Other", &machine), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, nullptr), ERROR_ACCESS_DENIED);
  EXPECT_EQ(open(HKEY_LOCAL_MACHINE, "Other", &machine), ERROR_SUCCESS)
      << "a refused tree deletion deletes nothing";

  // A NULL subkey empties the key and keeps it.
  ASSERT_EQ(set(key_, "top", REG_SZ, "1"), ERROR_SUCCESS);
  ASSERT_EQ(create(key_, "X\\Y", &a), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteTreeA(key_, nullptr), ERROR_SUCCESS);
  EXPECT_TRUE(subkey_names(key_).empty());
  EXPECT_TRUE(value_names(key_).empty());
  EXPECT_EQ(set(key_, "still", REG_SZ, "here"), ERROR_SUCCESS);
}

TEST_F(RegistryTest, HandleToADeletedKeyStaysDeleted) {
  HKEY doomed, other;
  ASSERT_EQ(create(key_, "Doomed", &doomed), ERROR_SUCCESS);
  ASSERT_EQ(set(doomed, "v", REG_SZ, "1"), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKeyA(key_, "Doomed"), ERROR_SUCCESS);
  ASSERT_EQ(create(key_, "DOOMED", &other), ERROR_SUCCESS) << "a new key of the same name";
  ASSERT_EQ(set(other, "v", REG_SZ, "2"), ERROR_SUCCESS);

  BYTE data[8];
  DWORD size = sizeof data, count = 0, chars = sizeof data;
  char name[8];
  HKEY result;
  struct Row {
    const char* call;
    LSTATUS status;
  };
  const Row rows[] = {
      {"RegQueryValueExA", RegQueryValueExA(doomed, "v", nullptr, nullptr, data, &size)},
      {"RegSetValueExA", set(doomed, "w", REG_SZ, "x")},
      {"RegDeleteValueA", RegDeleteValueA(doomed, "v")},
      {"RegEnumValueA", RegEnumValueA(doomed, 0, name, &chars, nullptr, nullptr, nullptr, nullptr)},
      {"RegEnumKeyExA", RegEnumKeyExA(doomed, 0, name, &chars, nullptr, nullptr, nullptr, nullptr)},
      {"RegQueryInfoKeyA", RegQueryInfoKeyA(doomed, nullptr, nullptr, nullptr, &count, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)},
      {"RegOpenKeyExA", RegOpenKeyExA(doomed, nullptr, 0, KEY_READ, &result)},
      {"RegCreateKeyExA", RegCreateKeyExA(doomed, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                          &result, nullptr)},
      {"RegDeleteTreeA", RegDeleteTreeA(doomed, nullptr)},
  };
  for (const Row& row : rows) EXPECT_EQ(row.status, ERROR_KEY_DELETED) << row.call;
  EXPECT_EQ(get(other, "v"), "2") << "the new key is untouched";
  EXPECT_EQ(subkey_names(other).size(), 0u) << "nothing was created below the deleted key";
  EXPECT_EQ(RegCloseKey(doomed), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(doomed), ERROR_INVALID_HANDLE) << "closed twice";
  EXPECT_EQ(get(doomed, "v"), "<error 6>") << "closed handle";
  opened_.clear();
  RegCloseKey(other);
  RegCloseKey(key_);

  // A handle of another kind is no key, and closing it as one leaves it open.
  HANDLE file = CreateFileA((root_ / "file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(get(reinterpret_cast<HKEY>(file), "v"), "<error 6>");
  EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(file)), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(CloseHandle(file));
}

TEST_F(RegistryTest, ClassesRootIsAViewOfLocalMachineClasses) {
  HKEY through_classes, through_machine;
  ASSERT_EQ(create(HKEY_CLASSES_ROOT, "MD5.Test\\CLSID", &through_classes), ERROR_SUCCESS);
  ASSERT_EQ(set(through_classes, nullptr, REG_SZ, "{1234}"), ERROR_SUCCESS);
  ASSERT_EQ(open(HKEY_LOCAL_MACHINE, "Software\\Classes\\md5.test\\clsid", &through_machine), ERROR_SUCCESS);
  EXPECT_EQ(get(through_machine, ""), "{1234}");
  ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\MD5.Test"), ERROR_SUCCESS);
  HKEY gone;
  EXPECT_EQ(open(HKEY_CLASSES_ROOT, "MD5.Test", &gone), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, HandleRightsAreChecked) {
  ASSERT_EQ(set(key_, "v", REG_SZ, "1"), ERROR_SUCCESS);
  HKEY reader, writer, none;
  ASSERT_EQ(open(key_, nullptr, &reader, KEY_READ), ERROR_SUCCESS);
  ASSERT_EQ(open(key_, nullptr, &writer, KEY_WRITE), ERROR_SUCCESS);
  ASSERT_EQ(open(key_, nullptr, &none, 0), ERROR_SUCCESS);
  EXPECT_EQ(get(reader, "v"), "1");
  EXPECT_EQ(set(reader, "v", REG_SZ, "2"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(reader, "v"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(set(writer, "v", REG_SZ, "3"), ERROR_SUCCESS);
  EXPECT_EQ(get(writer, "v"), "<error 5>");
  EXPECT_EQ(subkey_names(none).size(), 0u);
  char name[8];
  DWORD chars = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(none, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
  HKEY generic;
  ASSERT_EQ(open(key_, nullptr, &generic, GENERIC_READ), ERROR_SUCCESS);
  EXPECT_EQ(get(generic, "v"), "3") << "GENERIC_READ maps to KEY_READ";
}

TEST_F(RegistryTest, AnUnusableDatabaseGivesWindowsCodes) {
  RegCloseKey(key_);
  opened_.clear();
  // A file that is not a database: the store is damaged.
  setenv("MARLUNE_PREFIX", (root_ / "other").c_str(), 1);
  std::filesystem::create_directories(root_ / "other");
  std::ofstream(root_ / "other" / "registry.db", std::ios::binary) << std::string(4096, 'Z');
  HKEY key = kStale;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_BADDB);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegSetValueExA(HKEY_CURRENT_USER, "v", 0, REG_SZ, nullptr, 0), ERROR_BADDB);

  // A database that cannot be opened.
  setenv("MARLUNE_PREFIX", (root_ / "third").c_str(), 1);
  auto& table = winapi::posix::syscalls();
  table.sqlite_open = [](const char*, sqlite3** db, int, const char*) {
    *db = nullptr;
    return SQLITE_CANTOPEN;
  };
  LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr);
  table.sqlite_open = winapi::posix::real_syscalls().sqlite_open;
  EXPECT_EQ(status, ERROR_CANTOPEN);
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr),
            ERROR_SUCCESS)
      << "the next call opens it";
  RegCloseKey(key);
}

TEST(RegistryMessages, EveryCodeTheRegistryGivesHasAMessage) {
  for (DWORD code : {ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE,
                     ERROR_NOT_ENOUGH_MEMORY, ERROR_OUTOFMEMORY, ERROR_INVALID_PARAMETER,
                     ERROR_BAD_PATHNAME, ERROR_BUSY, ERROR_DISK_FULL, ERROR_MORE_DATA,
                     ERROR_NO_MORE_ITEMS, ERROR_NOACCESS, ERROR_BADDB, ERROR_CANTOPEN,
                     ERROR_CANTREAD, ERROR_CANTWRITE, ERROR_KEY_DELETED})
    EXPECT_FALSE(winapi::posix::system_message(code).empty()) << code;
}

}  // namespace
