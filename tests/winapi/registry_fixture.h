// A test with its own prefix (and so its own registry database), a key
// HKEY_CURRENT_USER\Software\Test opened for it, and small helpers over the
// Reg* calls. Handles the helpers open are closed when the test ends.
#pragma once

#include <winapi/windows.h>

#include <string>
#include <vector>

#include "prefix_fixture.h"

class RegistryTest : public PrefixTest {
 protected:
  void SetUp() override {
    PrefixTest::SetUp();
    ASSERT_EQ(create(HKEY_CURRENT_USER, "Software\\Test", &key_), ERROR_SUCCESS);
  }
  void TearDown() override {
    for (HKEY key : opened_) RegCloseKey(key);
    PrefixTest::TearDown();
  }

  LSTATUS create(HKEY base, const char* subkey, HKEY* key, DWORD* disposition = nullptr,
                 REGSAM access = KEY_ALL_ACCESS) {
    LSTATUS status = RegCreateKeyExA(base, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                     nullptr, key, disposition);
    if (status == ERROR_SUCCESS) opened_.push_back(*key);
    return status;
  }
  LSTATUS open(HKEY base, const char* subkey, HKEY* key, REGSAM access = KEY_ALL_ACCESS) {
    LSTATUS status = RegOpenKeyExA(base, subkey, 0, access, key);
    if (status == ERROR_SUCCESS) opened_.push_back(*key);
    return status;
  }
  static LSTATUS set(HKEY key, const char* name, DWORD type, const std::string& bytes) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  }
  static LSTATUS set_dword(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
  }
  // The value's bytes, or "<error N>".
  static std::string get(HKEY key, const char* name, DWORD* type = nullptr) {
    DWORD size = 0;
    LSTATUS status = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    std::string bytes(size, '\0');
    if (status == ERROR_SUCCESS)
      status = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (status != ERROR_SUCCESS) return "<error " + std::to_string(status) + ">";
    bytes.resize(size);
    return bytes;
  }
  static std::vector<std::string> value_names(HKEY key) {
    std::vector<std::string> names;
    char name[512];
    for (DWORD i = 0;; ++i) {
      DWORD chars = sizeof name;
      if (RegEnumValueA(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
      names.emplace_back(name, chars);
    }
  }
  static std::vector<std::string> subkey_names(HKEY key) {
    std::vector<std::string> names;
    char name[512];
    for (DWORD i = 0;; ++i) {
      DWORD chars = sizeof name;
      if (RegEnumKeyExA(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
      names.emplace_back(name, chars);
    }
  }
  std::string database() const { return (root_ / "prefix" / "registry.db").string(); }

  HKEY key_ = nullptr;
  std::vector<HKEY> opened_;
};
