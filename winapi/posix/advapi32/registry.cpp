// The registry calls: keys under the predefined roots, their values and
// subkeys, kept in the registry store. Each call returns its Windows status
// code and leaves the thread's last-error alone.
//
// Choices where Windows leaves room, or where this registry differs:
// - Names arrive in the ANSI code page and are stored as UTF-8; they compare
//   without regard to case (registry_names.h) and keep the case they were
//   created with (overwriting a value keeps the case of its first name).
// - Value data is kept byte for byte as given, REG_SZ included: no NUL is
//   added or removed, and text data is not converted between code pages. A
//   read copies exactly the stored bytes and leaves the rest of the caller's
//   buffer as it was; a buffer too small gets nothing and ERROR_MORE_DATA.
// - Name lengths (RegQueryInfoKeyA, RegEnumValueA, RegEnumKeyExA) count the
//   CHARs of the name in the ANSI code page, so a caller that allocates the
//   longest length plus one never gets ERROR_MORE_DATA.
// - A name buffer too small for RegEnumValueA/RegEnumKeyExA gives
//   ERROR_MORE_DATA and leaves every output untouched.
// - Access rights are checked on the handle for the value calls, listings
//   and RegQueryInfoKeyA, as Windows checks them; creating and deleting
//   subkeys needs no right on the parent handle (Windows checks those
//   against the key's security, which this registry does not keep).
// - RegDeleteKeyA and RegDeleteTreeA with "" delete the key the handle
//   names; the roots, HKLM\SOFTWARE and HKLM\SOFTWARE\Classes cannot be
//   deleted (ERROR_ACCESS_DENIED). A tree that holds one of them is not
//   deleted at all, where Windows would delete the rest.
// - REG_OPTION_VOLATILE keys are kept like any other (there is no reboot to
//   outlive); keys have no security descriptor (size 0).
#include <winapi/winreg.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include <winapi/fileapi.h>
#include <winapi/winerror.h>

#include "posix/advapi32/registry_names.h"
#include "posix/advapi32/registry_store.h"
#include "posix/ansi_codepage.h"
#include "posix/handle_table.h"

using namespace winapi::posix;
using namespace winapi::posix::registry;

namespace {

constexpr REGSAM kMaximumAllowed = 0x02000000;

// The rights a handle holds for the rights asked for: generic rights map to
// the key rights they stand for.
REGSAM granted_rights(REGSAM wanted) {
  REGSAM rights = wanted & KEY_ALL_ACCESS;
  if (wanted & (GENERIC_READ | GENERIC_EXECUTE)) rights |= KEY_READ;
  if (wanted & GENERIC_WRITE) rights |= KEY_WRITE;
  if (wanted & (GENERIC_ALL | kMaximumAllowed)) rights |= KEY_ALL_ACCESS;
  return rights;
}

// An open key: a key of one store (by identity, not by name), with the
// rights it was opened with.
class RegistryKey : public KernelObject {
 public:
  RegistryKey(std::shared_ptr<Store> store, KeyId id, REGSAM access)
      : store_(std::move(store)), id_(id), access_(access) {}

  KeyId id() const { return id_; }
  REGSAM access() const { return access_; }

  // The key's store for this process: a forked child opens its own
  // connection to the same database.
  std::shared_ptr<Store> store(DWORD* error) {
    std::lock_guard lock(mutex_);
    if (store_->owner() != process_id()) {
      std::shared_ptr<Store> own = store_for(store_->path(), error);
      if (!own) return nullptr;
      store_ = std::move(own);
    }
    return store_;
  }

 private:
  std::mutex mutex_;
  std::shared_ptr<Store> store_;
  const KeyId id_;
  const REGSAM access_;
};

bool predefined_root(HKEY key, KeyId* id) {
  if (key == HKEY_CLASSES_ROOT) *id = kClassesRoot;
  else if (key == HKEY_CURRENT_USER) *id = kCurrentUser;
  else if (key == HKEY_LOCAL_MACHINE) *id = kLocalMachine;
  else if (key == HKEY_USERS) *id = kUsers;
  else if (key == HKEY_CURRENT_CONFIG) *id = kCurrentConfig;
  else return false;
  return true;
}

// The key a call works on, with its store locked for the call.
struct Target {
  std::shared_ptr<Store> store;
  std::unique_lock<std::mutex> lock;  // released before `store` lets go
  KeyId id = 0;

  Store* operator->() const { return store.get(); }
};

// Resolves `key` for a call that needs `rights` on it.
DWORD resolve(HKEY key, REGSAM rights, Target* target) {
  DWORD error = ERROR_SUCCESS;
  if (predefined_root(key, &target->id)) {
    target->store = current_store(&error);
  } else {
    auto open = lookup_handle_as<RegistryKey>(reinterpret_cast<HANDLE>(key));
    if (!open) return ERROR_INVALID_HANDLE;
    if ((open->access() & rights) != rights) return ERROR_ACCESS_DENIED;
    target->id = open->id();
    target->store = open->store(&error);
  }
  if (!target->store) return error;
  target->lock = std::unique_lock(target->store->mutex());
  return ERROR_SUCCESS;
}

// ERROR_KEY_DELETED when the key is gone (deleted through another handle or
// by another process), else the store's answer.
DWORD check_key(Target& target) {
  bool exists = false;
  DWORD error = target->key_exists(target.id, &exists);
  if (error != ERROR_SUCCESS) return error;
  return exists ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// What a call that found nothing answers: `missing`, unless the key itself is gone.
DWORD nothing_found(Target& target, DWORD missing) {
  DWORD error = check_key(target);
  return error != ERROR_SUCCESS ? error : missing;
}

std::string utf8_name(LPCSTR ansi) { return ansi ? ansi_to_utf8(ansi) : std::string(); }

// Walks `levels` down from the target key. `*reached` is the last key found,
// `*walked` how many levels were found.
DWORD walk(Target& target, const SubkeyPath& path, KeyId* reached, size_t* walked) {
  *reached = target.id;
  *walked = 0;
  for (const std::string& level : path.levels) {
    KeyId child = 0;
    DWORD error = target->find_subkey(*reached, folded_name(level), &child);
    if (error != ERROR_SUCCESS) return error;
    if (!child) break;
    *reached = child;
    ++*walked;
  }
  // A first level found shows the key was there; otherwise ask.
  return *walked > 0 ? ERROR_SUCCESS : check_key(target);
}

// The key a call names: the key handle resolved and the subkey path split.
DWORD locate(HKEY key, LPCSTR subkey, REGSAM rights, Target* target, SubkeyPath* path) {
  if (DWORD error = resolve(key, rights, target)) return error;
  *path = split_subkey_path(utf8_name(subkey));
  return path->error;
}

// Walks the whole path down from the target key: ERROR_FILE_NOT_FOUND when a
// level is missing.
DWORD find_key(Target& target, const SubkeyPath& path, KeyId* found) {
  size_t walked = 0;
  if (DWORD error = walk(target, path, found, &walked)) return error;
  return walked < path.levels.size() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

// A new handle to `id` in the target's store.
DWORD hand_out(const Target& target, KeyId id, REGSAM wanted, PHKEY result) {
  HANDLE handle = insert_handle(std::make_shared<RegistryKey>(target.store, id, granted_rights(wanted)));
  if (!handle) return ERROR_NOT_ENOUGH_MEMORY;
  *result = reinterpret_cast<HKEY>(handle);
  return ERROR_SUCCESS;
}

// Copies stored data as RegQueryValueExA and RegEnumValueA give it: with no
// buffer only the size; with one too small ERROR_MORE_DATA and the size needed.
DWORD copy_data(std::span<const BYTE> data, LPBYTE buffer, LPDWORD size) {
  if (!size) return ERROR_SUCCESS;
  const DWORD needed = static_cast<DWORD>(data.size());
  if (buffer) {
    if (*size < needed) {
      *size = needed;
      return ERROR_MORE_DATA;
    }
    if (needed) std::memcpy(buffer, data.data(), needed);
  }
  *size = needed;
  return ERROR_SUCCESS;
}

// Whether `text` and its NUL fit in a buffer of `*chars` CHARs.
bool fits(const std::string& text, const DWORD* chars) { return text.size() < *chars; }

FILETIME filetime_of(int64_t ticks) {
  const auto value = static_cast<uint64_t>(ticks);
  return {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

void copy_name(const std::string& text, LPSTR buffer, LPDWORD chars) {
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  *chars = static_cast<DWORD>(text.size());
}

}  // namespace

LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired,
                             PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  Target target;
  SubkeyPath path;
  if (DWORD error = locate(hKey, lpSubKey, 0, &target, &path)) return error;
  KeyId reached = 0;
  if (DWORD error = find_key(target, path, &reached)) return error;
  return hand_out(target, reached, samDesired, phkResult);
}

LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD,
                               REGSAM samDesired, const LPSECURITY_ATTRIBUTES, PHKEY phkResult,
                               LPDWORD lpdwDisposition) {
  if (!phkResult || Reserved) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  Target target;
  SubkeyPath path;
  if (DWORD error = locate(hKey, lpSubKey, 0, &target, &path)) return error;

  Transaction change(*target.store);
  if (change.error()) return change.error();
  KeyId reached = 0;
  size_t walked = 0;
  if (DWORD error = walk(target, path, &reached, &walked)) return error;
  const bool created = walked < path.levels.size();
  const std::string class_name = utf8_name(lpClass);
  for (size_t i = walked; i < path.levels.size(); ++i) {
    const std::string& level = path.levels[i];
    const bool last = i + 1 == path.levels.size();
    DWORD error = target->add_subkey(reached, level, folded_name(level),
                                     last ? class_name : std::string(), &reached);
    if (error) return error;
  }
  if (DWORD error = change.commit()) return error;
  if (DWORD error = hand_out(target, reached, samDesired, phkResult)) return error;
  if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  KeyId root;
  if (predefined_root(hKey, &root)) return ERROR_SUCCESS;
  HANDLE handle = reinterpret_cast<HANDLE>(hKey);
  if (!lookup_handle_as<RegistryKey>(handle)) return ERROR_INVALID_HANDLE;
  return remove_handle(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
  Target target;
  if (DWORD error = resolve(hKey, KEY_SET_VALUE, &target)) return error;
  if (!lpData && cbData) return ERROR_NOACCESS;
  const std::string name = utf8_name(lpValueName);
  if (name_chars(name) > kMaxValueNameChars) return ERROR_INVALID_PARAMETER;

  Transaction change(*target.store);
  if (change.error()) return change.error();
  if (DWORD error = check_key(target)) return error;
  if (DWORD error = target->write_value(target.id, name, folded_name(name), dwType, lpData, cbData))
    return error;
  return change.commit();
}

LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved,
                                LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  Target target;
  if (DWORD error = resolve(hKey, KEY_QUERY_VALUE, &target)) return error;
  Statement row(nullptr, nullptr);
  if (DWORD error = target->read_value(target.id, folded_name(utf8_name(lpValueName)), &row))
    return error;
  if (!row) return nothing_found(target, ERROR_FILE_NOT_FOUND);
  if (lpType) *lpType = static_cast<DWORD>(row.integer(0));
  return copy_data(row.blob(1), lpData, lpcbData);
}

LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  Target target;
  if (DWORD error = resolve(hKey, KEY_SET_VALUE, &target)) return error;
  Transaction change(*target.store);
  if (change.error()) return change.error();
  if (DWORD error = check_key(target)) return error;
  bool deleted = false;
  if (DWORD error = target->delete_value(target.id, folded_name(utf8_name(lpValueName)), &deleted))
    return error;
  if (!deleted) return ERROR_FILE_NOT_FOUND;
  return change.commit();
}

namespace {

// RegDeleteKeyA and RegDeleteTreeA: deletes the key at `subkey` below the
// target, or (`keep_key`) only what lies below the target.
DWORD delete_key(HKEY key, LPCSTR subkey, bool whole_tree, bool keep_key, REGSAM rights) {
  Target target;
  SubkeyPath path;
  if (DWORD error = locate(key, subkey, rights, &target, &path)) return error;

  Transaction change(*target.store);
  if (change.error()) return change.error();
  KeyId reached = 0;
  if (DWORD error = find_key(target, path, &reached)) return error;
  if (!whole_tree) {
    KeyFacts facts;
    if (DWORD error = target->key_facts(reached, &facts)) return error;
    if (facts.fixed || facts.has_subkeys) return ERROR_ACCESS_DENIED;
  }
  bool refused = false;
  if (DWORD error = target->delete_tree(reached, keep_key, &refused)) return error;
  if (refused) return ERROR_ACCESS_DENIED;
  return change.commit();
}

}  // namespace

LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  return delete_key(hKey, lpSubKey, false, false, 0);
}

LSTATUS WINAPI RegDeleteTreeA(HKEY hKey, LPCSTR lpSubKey) {
  // Emptying the key the handle names needs the rights to list and delete it.
  const bool keep_key = lpSubKey == nullptr;
  const REGSAM rights = keep_key ? DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE : 0;
  return delete_key(hKey, lpSubKey, true, keep_key, rights);
}

LSTATUS WINAPI RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen,
                                LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                                LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
  if (lpReserved || (lpClass && !lpcchClass)) return ERROR_INVALID_PARAMETER;
  Target target;
  if (DWORD error = resolve(hKey, KEY_QUERY_VALUE, &target)) return error;
  KeyFacts facts;
  if (DWORD error = target->key_facts(target.id, &facts)) return error;
  if (!facts.exists) return ERROR_KEY_DELETED;

  DWORD subkeys = 0, longest_subkey = 0, longest_class = 0;
  DWORD values = 0, longest_value_name = 0, longest_data = 0;
  {
    Statement rows = target->list_subkeys(target.id);
    while (rows.next()) {
      ++subkeys;
      longest_subkey = std::max(longest_subkey, static_cast<DWORD>(utf8_to_ansi(rows.text(0)).size()));
      longest_class = std::max(longest_class, static_cast<DWORD>(utf8_to_ansi(rows.text(1)).size()));
    }
    if (DWORD error = rows.failure()) return error;
  }
  {
    Statement rows = target->list_values(target.id);
    while (rows.next()) {
      ++values;
      longest_value_name = std::max(longest_value_name, static_cast<DWORD>(utf8_to_ansi(rows.text(0)).size()));
      longest_data = std::max(longest_data, static_cast<DWORD>(rows.integer(1)));
    }
    if (DWORD error = rows.failure()) return error;
  }

  const std::string class_name = utf8_to_ansi(facts.class_name);
  if (lpClass) {
    if (!fits(class_name, lpcchClass)) {
      *lpcchClass = static_cast<DWORD>(class_name.size());
      return ERROR_MORE_DATA;
    }
    copy_name(class_name, lpClass, lpcchClass);
  } else if (lpcchClass) {
    *lpcchClass = static_cast<DWORD>(class_name.size());
  }
  if (lpcSubKeys) *lpcSubKeys = subkeys;
  if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = longest_subkey;
  if (lpcbMaxClassLen) *lpcbMaxClassLen = longest_class;
  if (lpcValues) *lpcValues = values;
  if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = longest_value_name;
  if (lpcbMaxValueLen) *lpcbMaxValueLen = longest_data;
  if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
  if (lpftLastWriteTime) *lpftLastWriteTime = filetime_of(facts.written);
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName,
                             LPDWORD lpcchValueName, LPDWORD lpReserved, LPDWORD lpType,
                             LPBYTE lpData, LPDWORD lpcbData) {
  if (lpReserved || !lpValueName || !lpcchValueName || (lpData && !lpcbData))
    return ERROR_INVALID_PARAMETER;
  Target target;
  if (DWORD error = resolve(hKey, KEY_QUERY_VALUE, &target)) return error;
  Statement row(nullptr, nullptr);
  if (DWORD error = target->value_at(target.id, dwIndex, &row)) return error;
  if (!row) return nothing_found(target, ERROR_NO_MORE_ITEMS);
  const std::string name = utf8_to_ansi(row.text(0));
  if (!fits(name, lpcchValueName)) return ERROR_MORE_DATA;
  copy_name(name, lpValueName, lpcchValueName);
  if (lpType) *lpType = static_cast<DWORD>(row.integer(1));
  return copy_data(row.blob(2), lpData, lpcbData);
}

LSTATUS WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName,
                             LPDWORD lpReserved, LPSTR lpClass, LPDWORD lpcchClass,
                             PFILETIME lpftLastWriteTime) {
  if (lpReserved || !lpName || !lpcchName || (lpClass && !lpcchClass))
    return ERROR_INVALID_PARAMETER;
  Target target;
  if (DWORD error = resolve(hKey, KEY_ENUMERATE_SUB_KEYS, &target)) return error;
  Statement row(nullptr, nullptr);
  if (DWORD error = target->subkey_at(target.id, dwIndex, &row)) return error;
  if (!row) return nothing_found(target, ERROR_NO_MORE_ITEMS);
  const std::string name = utf8_to_ansi(row.text(0));
  const std::string class_name = utf8_to_ansi(row.text(1));
  if (!fits(name, lpcchName) || (lpClass && !fits(class_name, lpcchClass))) return ERROR_MORE_DATA;
  copy_name(name, lpName, lpcchName);
  if (lpClass) copy_name(class_name, lpClass, lpcchClass);
  if (lpftLastWriteTime) *lpftLastWriteTime = filetime_of(row.integer(2));
  return ERROR_SUCCESS;
}
