#include "posix/ansi_codepage.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace winapi::posix {
namespace {

std::string_view locale_name() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"})
    if (const char* value = std::getenv(variable); value && *value) return value;
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

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// The converter of `code_page`, opened once per thread (a UConverter keeps
// state between calls, so threads must not share one). Null when ICU lacks it.
UConverter* converter_for(UINT code_page) {
  thread_local struct {
    UINT code_page = 0;
    Converter converter;
  } cache;
  if (cache.code_page != code_page || !cache.converter) {
    UErrorCode status = U_ZERO_ERROR;
    Converter opened(ucnv_open(converter_name(code_page), &status));
    if (U_FAILURE(status)) return nullptr;
    // A character the code page lacks becomes '?', as Windows writes it.
    ucnv_setSubstChars(opened.get(), "?", 1, &status);
    cache.converter = std::move(opened);
    cache.code_page = code_page;
  }
  return cache.converter.get();
}

}  // namespace

UINT ansi_code_page() {
  std::string_view locale = locale_name();
  if (locale.starts_with("zh_CN")) return 936;
  if (locale.starts_with("zh_TW")) return 950;
  return 1252;
}

std::string ansi_to_utf8(std::string_view ansi) {
  if (is_ascii(ansi)) return std::string(ansi);
  UConverter* converter = converter_for(ansi_code_page());
  if (!converter) return std::string(ansi);
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString text(ansi.data(), static_cast<int32_t>(ansi.size()), converter, status);
  if (U_FAILURE(status)) return std::string(ansi);
  std::string utf8;
  return text.toUTF8String(utf8);
}

std::string utf8_to_ansi(std::string_view utf8) {
  if (is_ascii(utf8)) return std::string(utf8);
  UConverter* converter = converter_for(ansi_code_page());
  if (!converter) return std::string(utf8);
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
  UErrorCode status = U_ZERO_ERROR;
  std::vector<char> out(static_cast<size_t>(text.length()) * 2 + 1);
  int32_t length = text.extract(out.data(), static_cast<int32_t>(out.size()), converter, status);
  if (U_FAILURE(status)) return std::string(utf8);
  return std::string(out.data(), static_cast<size_t>(length));
}

}  // namespace winapi::posix
