// The user's default language, from the locale the process was started with
// (LC_ALL, then LC_CTYPE, then LANG): zh_CN is Chinese (PRC), zh_TW Chinese
// (Taiwan), anything else English (United States). Read at each call, so a
// changed environment is seen at once.
#include <cstdlib>
#include <string_view>

#include <winapi/winnls.h>

namespace {

std::string_view locale_name() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return {};
}

}  // namespace

LANGID WINAPI GetUserDefaultLangID(void) {
  std::string_view locale = locale_name();
  if (locale.starts_with("zh_CN")) return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
  if (locale.starts_with("zh_TW")) return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL);
  return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}
