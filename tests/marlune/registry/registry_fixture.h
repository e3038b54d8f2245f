// A fresh library in the test host (and with it a fresh registry), values to
// call it with, and the registry as the system sees it, read and written
// directly.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include <winapi/windows.h>

#include "tests/support/test_host.h"

namespace foxhost {

inline FoxValue C(std::string text) { return FoxValue::Character(std::move(text)); }
inline FoxValue I(int32_t value) { return FoxValue::Integer(value); }
inline FoxValue L(bool value) { return FoxValue::Logical(value); }

// A value as the registry holds it.
struct StoredValue {
  LSTATUS status = ERROR_SUCCESS;  // of opening the key and querying the value
  DWORD type = REG_NONE;
  std::string data;
};

inline StoredValue Stored(HKEY root, const std::string& path, const std::string& name) {
  StoredValue stored;
  HKEY key = nullptr;
  stored.status = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
  if (stored.status != ERROR_SUCCESS) return stored;
  BYTE data[2048];
  DWORD size = sizeof data;
  stored.status = RegQueryValueExA(key, name.c_str(), nullptr, &stored.type, data, &size);
  if (stored.status == ERROR_SUCCESS) stored.data.assign(reinterpret_cast<char*>(data), size);
  RegCloseKey(key);
  return stored;
}

// Writes a value of any type under HKEY_CURRENT_USER, creating its key.
inline void Write(const std::string& path, const std::string& name, DWORD type, const std::string& data) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS)
      << path;
  EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())),
            ERROR_SUCCESS)
      << path << "\\" << name;
  RegCloseKey(key);
}

inline bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class RegistryTest : public ::testing::Test {
 protected:
  FoxValue Call(std::string_view name, std::vector<Argument> arguments = {}) {
    return host.Call(name, std::move(arguments));
  }
  // The saved error code as XTGetLastErrorMsg tells it: its text equals the
  // text of the code given.
  void ExpectSavedError(DWORD code, const std::string& after) {
    EXPECT_EQ(Call("XTGetLastErrorMsg"), Call("XTGetLastErrorMsg", {I(static_cast<int32_t>(code))}))
        << "saved error code after " << after << ", expected " << code;
  }

  testing::TestHost host{MARLUNE_FLL};
};

}  // namespace foxhost
