#include "marlune/registry/registry_session.h"

#include "marlune/host/library_state.h"

namespace marlune::registry {

void RegistrySession::SetPath(HKEY root, std::string_view path) {
  root_ = root;
  Close();
  path_ = std::string(path);
}

bool RegistrySession::Open(bool create) {
  Close();
  if (!path_) return false;
  HKEY key = nullptr;
  LSTATUS status = host::SaveRegistryStatus(RegOpenKeyExA(root_, path_->c_str(), 0, KEY_ALL_ACCESS, &key));
  if (status != ERROR_SUCCESS && create) {
    char no_class[] = "";
    status = host::SaveRegistryStatus(RegCreateKeyExA(root_, path_->c_str(), 0, no_class, REG_OPTION_NON_VOLATILE,
                                              KEY_ALL_ACCESS, nullptr, &key, nullptr));
  }
  open_key_ = status == ERROR_SUCCESS ? key : nullptr;
  return open_key_ != nullptr;
}

void RegistrySession::Close() {
  if (open_key_ == nullptr) return;
  RegCloseKey(open_key_);
  open_key_ = nullptr;
}

HKEY RootOfCode(int32_t code) {
  switch (code) {
    case 1: return HKEY_CLASSES_ROOT;
    case 3: return HKEY_LOCAL_MACHINE;
    case 4: return HKEY_USERS;
    case 5: return HKEY_CURRENT_CONFIG;
    default: return HKEY_CURRENT_USER;
  }
}

}  // namespace marlune::registry
