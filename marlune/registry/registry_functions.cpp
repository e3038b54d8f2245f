// The FR functions: a FoxPro program's view of the library's registry
// session. Functions that return a logical return the registry status as
// one: .F. when the call succeeded, .T. when it failed. Every registry call
// keeps its status as the saved error code, 0 on success too.
#include <winapi/windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "marlune/host/application_tag.h"
#include "marlune/host/host_array.h"
#include "marlune/host/host_errors.h"
#include "marlune/host/library_state.h"
#include "marlune/host/parameters.h"
#include "marlune/host/results.h"
#include "marlune/registry/registered_functions.h"
#include "marlune/registry/registry_session.h"

namespace marlune {
namespace {

constexpr std::string_view kDefaultPathPrefix = "Software\\Dorvaine\\";
// The status of an operation whose key could not be opened or created: no
// call was made.
constexpr LSTATUS kNoKey = -1;
// Text values are read into a buffer of this many bytes; longer data gives
// the default.
constexpr DWORD kTextBufferSize = 513;

registry::RegistrySession& Session() { return host::Library().registry_session; }

using host::SaveRegistryStatus;

void ReturnStatus(LSTATUS status) { host::ReturnLogical(status != ERROR_SUCCESS); }

// A value parameter ("?") the registry functions accept: character or integer.
char CheckedValueType(ParamBlk* parm, int i) {
  char type = host::ParamValue(parm, i).ev_type;
  if (type != 'C' && type != 'I') _Error(host::kErrorDataTypeMismatch);
  return type;
}

// A text value is stored with a NUL after all its bytes, embedded NULs included.
LSTATUS WriteText(const char* name, Value& value) {
  host::CharParam text(value);
  return SaveRegistryStatus(RegSetValueExA(Session().key(), name, 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(text.c_str()), text.length() + 1));
}

LSTATUS WriteInteger(const char* name, int32_t number) {
  return SaveRegistryStatus(RegSetValueExA(Session().key(), name, 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&number), sizeof number));
}

// The value's data as text up to its first NUL, whatever its stored type;
// none when it cannot be read or is longer than the buffer.
std::optional<std::string> ReadText(const char* name) {
  if (!Session().EnsureOpen(false)) return std::nullopt;
  char data[kTextBufferSize] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  if (SaveRegistryStatus(RegQueryValueExA(Session().key(), name, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                          &size)) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(data, ::strnlen(data, size));
}

// The value's first four bytes as a number, whatever its stored type; shorter
// data fills the low-order bytes and the rest stay 0.
std::optional<int32_t> ReadInteger(const char* name) {
  if (!Session().EnsureOpen(false)) return std::nullopt;
  int32_t number = 0;
  DWORD size = sizeof number;
  DWORD type = 0;
  if (SaveRegistryStatus(RegQueryValueExA(Session().key(), name, nullptr, &type,
                                          reinterpret_cast<BYTE*>(&number), &size)) != ERROR_SUCCESS)
    return std::nullopt;
  return number;
}

// A listed text value without its terminating NUL; data stored without one
// keeps all its bytes.
std::string_view TextOfData(const std::vector<char>& data, DWORD size) {
  if (size > 0 && data[size - 1] == '\0') --size;
  return std::string_view(data.data(), size);
}

// A listed 32-bit value; data shorter than four bytes fills the low-order bytes.
int32_t NumberOfData(const std::vector<char>& data, DWORD size) {
  int32_t number = 0;
  std::memcpy(&number, data.data(), size < sizeof number ? size : sizeof number);
  return number;
}

// What RegQueryInfoKeyA tells about the session's key, opened afresh; none
// when the key cannot be opened or asked.
struct KeyInfo {
  DWORD subkeys = 0;
  DWORD longest_subkey = 0;
  DWORD values = 0;
  DWORD longest_value_name = 0;
  DWORD longest_value_data = 0;
};

std::optional<KeyInfo> ReopenAndQueryKey() {
  if (!Session().Open(false)) return std::nullopt;
  KeyInfo info;
  if (SaveRegistryStatus(RegQueryInfoKeyA(Session().key(), nullptr, nullptr, nullptr, &info.subkeys,
                                          &info.longest_subkey, nullptr, &info.values,
                                          &info.longest_value_name, &info.longest_value_data, nullptr,
                                          nullptr)) != ERROR_SUCCESS)
    return std::nullopt;
  return info;
}

}  // namespace

void FRSetRegPath(ParamBlk* parm) {
  HKEY root = parm->pCount == 2 ? registry::RootOfCode(host::IntParam(parm, 2)) : HKEY_CURRENT_USER;
  if (host::HasParam(parm, 1)) {
    host::CharParam path(parm, 1);
    Session().SetPath(root, path.text());
  } else {
    std::optional<std::string> tag = host::ApplicationTag();
    if (!tag) return host::ReturnLogical(true);
    Session().SetPath(root, std::string(kDefaultPathPrefix) + *tag);
  }
  host::ReturnLogical(false);
}

void FRCloseReg(ParamBlk*) {
  Session().Close();
  host::ReturnLogical(false);
}

void FRSetRegValue(ParamBlk* parm) {
  char type = CheckedValueType(parm, 2);
  host::CharParam name(parm, 1);
  LSTATUS status = kNoKey;
  if (Session().EnsureOpen(true)) {
    status = type == 'C' ? WriteText(name.c_str(), host::ParamValue(parm, 2))
                         : WriteInteger(name.c_str(), host::IntParam(parm, 2));
  }
  ReturnStatus(status);
}

void FRGetRegValue(ParamBlk* parm) {
  char type = CheckedValueType(parm, 2);
  host::CharParam name(parm, 1);
  if (type == 'I') return host::ReturnInt(ReadInteger(name.c_str()).value_or(host::IntParam(parm, 2)), 10);
  host::CharParam fallback(parm, 2);
  std::optional<std::string> text = ReadText(name.c_str());
  host::ReturnText(text ? text->c_str() : fallback.c_str());
}

// An empty name deletes the key's unnamed default value.
void FRDeleteValue(ParamBlk* parm) {
  host::CharParam name(parm, 1);
  LSTATUS status = kNoKey;
  if (Session().EnsureOpen(false)) status = SaveRegistryStatus(RegDeleteValueA(Session().key(), name.c_str()));
  ReturnStatus(status);
}

// Deletes a subkey of the session's key, never the key itself: an empty
// name, or one that is empty up to an embedded NUL, fails without a call.
void FRDeleteKey(ParamBlk* parm) {
  if (host::ParamValue(parm, 1).ev_length == 0) return host::ReturnLogical(true);
  host::CharParam name(parm, 1);
  if (name.text().empty()) return host::ReturnLogical(true);
  LSTATUS status = kNoKey;
  if (Session().EnsureOpen(false)) status = SaveRegistryStatus(RegDeleteKeyA(Session().key(), name.c_str()));
  ReturnStatus(status);
}

// Rows of name, type (width 5) and data for the REG_SZ and REG_DWORD values;
// other values take no row, and the rows left at the end stay as created.
// Answers the number of rows stored; an array that got none is released.
void FREnumRegValue(ParamBlk* parm) {
  Value& array_name = host::ParamValue(parm, 1);
  if (array_name.ev_length == 0) return host::ReturnInt(0, 10);
  std::optional<KeyInfo> info = ReopenAndQueryKey();
  if (!info) return host::ReturnInt(0, 10);

  host::HostArray array(array_name);
  array.Create(static_cast<int32_t>(info->values), 3);
  int32_t rows = 0;
  for (DWORD index = 0; index < info->values; ++index) {
    std::vector<char> name(info->longest_value_name + 1);
    std::vector<char> data(info->longest_value_data + 1);
    DWORD name_size = static_cast<DWORD>(name.size());
    DWORD data_size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (SaveRegistryStatus(RegEnumValueA(Session().key(), index, name.data(), &name_size, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &data_size)) != ERROR_SUCCESS) {
      // The listing broke off: the array goes, and with it the rows stored.
      array.Drop();
      return array.Finish(0);
    }
    if (type != REG_SZ && type != REG_DWORD) continue;
    ++rows;
    array.Store(rows, 1, std::string_view(name.data(), name_size));
    array.Store(rows, 2, static_cast<int32_t>(type), 5);
    if (type == REG_SZ) {
      array.Store(rows, 3, TextOfData(data, data_size));
    } else {
      array.Store(rows, 3, NumberOfData(data, data_size), 10);
    }
  }
  if (rows == 0) array.Drop();
  array.Finish(rows);
}

// One element per subkey name; answers their number. A key without subkeys
// leaves an array of 0 elements.
void FREnumRegKeyEx(ParamBlk* parm) {
  Value& array_name = host::ParamValue(parm, 1);
  if (array_name.ev_length == 0) return host::ReturnInt(0, 10);
  std::optional<KeyInfo> info = ReopenAndQueryKey();
  if (!info) return host::ReturnInt(0, 10);

  host::HostArray array(array_name);
  array.Create(static_cast<int32_t>(info->subkeys), 0);
  for (DWORD index = 0; index < info->subkeys; ++index) {
    std::vector<char> name(info->longest_subkey + 1);
    DWORD name_size = static_cast<DWORD>(name.size());
    if (SaveRegistryStatus(RegEnumKeyExA(Session().key(), index, name.data(), &name_size, nullptr, nullptr,
                                         nullptr, nullptr)) != ERROR_SUCCESS) {
      array.Drop();
      return array.Finish(0);
    }
    array.Store(static_cast<int32_t>(index) + 1, 1, std::string_view(name.data(), name_size));
  }
  array.Finish(static_cast<int32_t>(info->subkeys));
}

}  // namespace marlune
