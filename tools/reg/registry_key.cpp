#include "registry_key.h"

#include <algorithm>

#include <winapi/winerror.h>

namespace reg_tool {
namespace {

// Buffer sizes from RegQueryInfoKeyA, with room for the terminator; the
// enumerations below grow them if the key changes meanwhile.
LSTATUS QueryLongest(HKEY key, DWORD* subkey_name, DWORD* value_name, DWORD* value_data) {
  return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, subkey_name, nullptr, nullptr, value_name,
                          value_data, nullptr, nullptr);
}

}  // namespace

Key::~Key() { Close(); }

void Key::Close() {
  if (owned_) RegCloseKey(handle_);
  handle_ = nullptr;
  owned_ = false;
}

LSTATUS Key::Open(const KeyPath& path, REGSAM access) {
  Close();
  if (path.subkey.empty()) {
    handle_ = path.root;
    return ERROR_SUCCESS;
  }
  HKEY opened = nullptr;
  LSTATUS status = RegOpenKeyExA(path.root, path.subkey.c_str(), 0, access, &opened);
  if (status == ERROR_SUCCESS) {
    handle_ = opened;
    owned_ = true;
  }
  return status;
}

LSTATUS Key::Create(const KeyPath& path) {
  Close();
  if (path.subkey.empty()) {
    handle_ = path.root;
    return ERROR_SUCCESS;
  }
  HKEY created = nullptr;
  LSTATUS status = RegCreateKeyExA(path.root, path.subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_READ | KEY_WRITE, nullptr, &created, nullptr);
  if (status == ERROR_SUCCESS) {
    handle_ = created;
    owned_ = true;
  }
  return status;
}

LSTATUS ReadValues(HKEY key, std::vector<Value>& values) {
  values.clear();
  DWORD longest_name = 0, longest_data = 0;
  LSTATUS status = QueryLongest(key, nullptr, &longest_name, &longest_data);
  if (status != ERROR_SUCCESS) return status;
  std::string name(longest_name + 1, '\0');
  std::string data(longest_data, '\0');
  for (DWORD index = 0;;) {
    DWORD name_length = static_cast<DWORD>(name.size());
    DWORD data_size = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    status = RegEnumValueA(key, index, name.data(), &name_length, nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &data_size);
    if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (status == ERROR_MORE_DATA) {
      status = QueryLongest(key, nullptr, &longest_name, &longest_data);
      if (status != ERROR_SUCCESS) return status;
      name.resize(std::max<size_t>(name.size() * 2, longest_name + 1));
      data.resize(std::max<size_t>(data.size() * 2, longest_data));
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    values.push_back(Value{name.substr(0, name_length), type, data.substr(0, data_size)});
    ++index;
  }
}

LSTATUS ReadValue(HKEY key, const std::string& name, Value& value) {
  DWORD type = REG_NONE;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  std::string data;
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    data.resize(size);
    status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_SUCCESS) {
      data.resize(size);
      value = Value{name, type, std::move(data)};
      return ERROR_SUCCESS;
    }
  }
  return status;
}

LSTATUS ReadSubkeyNames(HKEY key, std::vector<std::string>& names) {
  names.clear();
  DWORD longest = 0;
  LSTATUS status = QueryLongest(key, &longest, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return status;
  std::string name(longest + 1, '\0');
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(name.size());
    status = RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (status == ERROR_MORE_DATA) {
      name.resize(name.size() * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    names.push_back(name.substr(0, length));
    ++index;
  }
}

}  // namespace reg_tool
