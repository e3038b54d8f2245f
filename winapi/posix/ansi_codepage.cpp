#include "posix/ansi_codepage.h"

#include "posix/icu_library.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <memory>
#include <mutex>
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
    case 65001: return "UTF-8";
    default: return "windows-1252";
  }
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// One converter per code page, opened on first use and kept for the module's
// life. A UConverter keeps state between calls, so a caller holds the lock
// while it converts. (Module-wide rather than per thread: a thread_local with
// a destructor would keep a module from unloading at its last dlclose.)
struct CachedConverter {
  std::mutex mutex;
  Converter converter;
};

size_t cache_index(UINT code_page) {
  switch (code_page) {
    case 936: return 0;
    case 950: return 1;
    case 65001: return 3;
    default: return 2;
  }
}

}  // namespace

bool is_supported_code_page(UINT code_page) {
  return code_page == 936 || code_page == 950 || code_page == 1252 || code_page == 65001;
}

LockedConverter converter_for(UINT code_page) {
  static CachedConverter cache[4];
  CachedConverter& entry = cache[cache_index(code_page)];
  LockedConverter locked{std::unique_lock(entry.mutex)};
  if (!entry.converter) {
    keep_icu_loaded();
    UErrorCode status = U_ZERO_ERROR;
    Converter opened(ucnv_open(converter_name(code_page), &status));
    if (U_FAILURE(status)) return locked;
    // A character the code page lacks becomes '?', as Windows writes it.
    ucnv_setSubstChars(opened.get(), "?", 1, &status);
    entry.converter = std::move(opened);
  }
  locked.converter = entry.converter.get();
  return locked;
}

UINT ansi_code_page() {
  std::string_view locale = locale_name();
  if (locale.starts_with("zh_CN")) return 936;
  if (locale.starts_with("zh_TW")) return 950;
  return 1252;
}

std::string ansi_to_utf8(std::string_view ansi) {
  if (is_ascii(ansi)) return std::string(ansi);
  LockedConverter locked = converter_for(ansi_code_page());
  if (!locked.converter) return std::string(ansi);
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString text(ansi.data(), static_cast<int32_t>(ansi.size()), locked.converter, status);
  if (U_FAILURE(status)) return std::string(ansi);
  std::string utf8;
  return text.toUTF8String(utf8);
}

std::string utf8_to_ansi(std::string_view utf8) {
  if (is_ascii(utf8)) return std::string(utf8);
  LockedConverter locked = converter_for(ansi_code_page());
  if (!locked.converter) return std::string(utf8);
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
  UErrorCode status = U_ZERO_ERROR;
  std::vector<char> out(static_cast<size_t>(text.length()) * 2 + 1);
  int32_t length = text.extract(out.data(), static_cast<int32_t>(out.size()), locked.converter, status);
  if (U_FAILURE(status)) return std::string(utf8);
  return std::string(out.data(), static_cast<size_t>(length));
}

}  // namespace winapi::posix
