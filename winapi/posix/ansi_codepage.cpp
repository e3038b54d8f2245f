#include "posix/ansi_codepage.h"

#include <unicode/ucnv.h>

#include <cstdlib>
#include <vector>

namespace winapi::posix {
namespace {

const char* locale_name() {
  for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"})
    if (const char* value = std::getenv(var); value && *value) return value;
  return "C";
}

bool is_ascii(std::string_view text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

const char* converter_name(UINT code_page) {
  switch (code_page) {
    case 936: return "windows-936-2000";
    case 950: return "windows-950-2000";
    default: return "windows-1252";
  }
}

// ucnv_convert takes both converters from ICU's converter cache, so a
// conversion opens nothing from disk and shares no converter between threads.
std::string convert(std::string_view text, const char* to, const char* from) {
  UErrorCode status = U_ZERO_ERROR;
  std::vector<char> out(text.size() * 4 + 8);
  int32_t n = ucnv_convert(to, from, out.data(), static_cast<int32_t>(out.size()), text.data(),
                           static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) return std::string(text);
  return std::string(out.data(), static_cast<size_t>(n));
}

}  // namespace

UINT ansi_code_page() {
  std::string_view locale = locale_name();
  if (locale.starts_with("zh_CN") || locale.starts_with("zh_SG")) return 936;
  if (locale.starts_with("zh_TW") || locale.starts_with("zh_HK")) return 950;
  return 1252;
}

std::string ansi_to_utf8(std::string_view ansi) {
  if (is_ascii(ansi)) return std::string(ansi);
  return convert(ansi, "UTF-8", converter_name(ansi_code_page()));
}

std::string utf8_to_ansi(std::string_view utf8) {
  if (is_ascii(utf8)) return std::string(utf8);
  return convert(utf8, converter_name(ansi_code_page()), "UTF-8");
}

}  // namespace winapi::posix
