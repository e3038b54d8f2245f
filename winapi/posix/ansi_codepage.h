// The ANSI code page (CP_ACP) and conversions between it and UTF-8, the
// encoding of file names on this system. The code page follows the locale
// (LC_ALL, then LC_CTYPE, then LANG): zh_CN gives 936, zh_TW 950, anything else 1252.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include <unicode/ucnv.h>

#include <winapi/windef.h>

namespace winapi::posix {

UINT ansi_code_page();

// Bytes in the ANSI code page to UTF-8 (pure ASCII passes unchanged).
std::string ansi_to_utf8(std::string_view ansi);

// UTF-8 to bytes in the ANSI code page; characters the code page lacks
// become its default character.
std::string utf8_to_ansi(std::string_view utf8);

// The module-wide ICU converter of a code page (936, 950, 1252 or 65001),
// opened on first use with '?' as its substitution character. The holder
// keeps the converter's lock: a converter keeps state between calls.
struct LockedConverter {
  std::unique_lock<std::mutex> lock;
  UConverter* converter = nullptr;  // null when ICU cannot open it
};
bool is_supported_code_page(UINT code_page);
LockedConverter converter_for(UINT code_page);

}  // namespace winapi::posix
