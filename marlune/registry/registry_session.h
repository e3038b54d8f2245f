// The registry session: the one registry key the FR functions work on, held
// open between calls. One library-wide instance lives in the library state.
//
// The session names a key by a root and a path below it; at most one key is
// open, the one they name. Setting a path closes the open key, so the next
// operation opens the key at the new path. Every registry call the session
// makes keeps its status as the saved error code (0 on success too), except
// RegCloseKey.
#pragma once

#include <winapi/windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace marlune::registry {

class RegistrySession {
 public:
  RegistrySession() = default;
  virtual ~RegistrySession() { Close(); }
  RegistrySession(const RegistrySession&) = delete;
  RegistrySession& operator=(const RegistrySession&) = delete;

  // Takes a new root and path (an empty path names the root itself) and
  // closes the open key. No registry call is made.
  void SetPath(HKEY root, std::string_view path);

  // Opens the key afresh, closing the one open before; with `create`, a key
  // that cannot be opened is created. False, with no key open, when no path
  // has been set or the calls fail.
  bool Open(bool create);
  // The open key if there is one, else Open.
  bool EnsureOpen(bool create) { return open_key_ != nullptr || Open(create); }
  void Close();

  // The open key; null when none is open.
  HKEY key() const { return open_key_; }

 private:
  HKEY root_ = HKEY_CURRENT_USER;
  std::optional<std::string> path_;  // none until a path is set
  HKEY open_key_ = nullptr;
};

// The root a FoxPro program names by code: 1 HKEY_CLASSES_ROOT,
// 2 HKEY_CURRENT_USER, 3 HKEY_LOCAL_MACHINE, 4 HKEY_USERS,
// 5 HKEY_CURRENT_CONFIG; any other code HKEY_CURRENT_USER.
HKEY RootOfCode(int32_t code);

}  // namespace marlune::registry
