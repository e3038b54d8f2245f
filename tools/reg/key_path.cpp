#include "key_path.h"

#include "ansi_text.h"
#include "ascii.h"

namespace reg_tool {
namespace {

struct Root {
  const char* long_name;
  const char* short_name;
  HKEY key;
};

const Root kRoots[] = {
    {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", "HKU", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG},
};

}  // namespace

std::string KeyPath::Display() const {
  if (subkey.empty()) return root_name;
  return root_name + "\\" + AnsiToUtf8ForDisplay(subkey);
}

KeyPath KeyPath::Child(const std::string& name) const {
  KeyPath child = *this;
  child.subkey = subkey.empty() ? name : subkey + "\\" + name;
  return child;
}

std::optional<KeyPath> ParseKeyPath(std::string_view text) {
  if (text.ends_with('\\')) text.remove_suffix(1);
  const size_t separator = text.find('\\');
  const std::string_view root = text.substr(0, separator);
  const std::string_view below = separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
  for (const Root& candidate : kRoots) {
    if (!EqualsIgnoringCase(root, candidate.long_name) && !EqualsIgnoringCase(root, candidate.short_name)) continue;
    if (separator != std::string_view::npos && below.empty()) return std::nullopt;
    if (below.starts_with('\\') || below.ends_with('\\') || below.find("\\\\") != std::string_view::npos)
      return std::nullopt;
    std::optional<std::string> subkey = Utf8ToAnsi(below);
    if (!subkey) return std::nullopt;
    return KeyPath{candidate.key, candidate.long_name, *subkey};
  }
  return std::nullopt;
}

}  // namespace reg_tool
