// The ANSI code page (CP_ACP) and conversions between it and UTF-8, the
// encoding of file names on this system. The code page follows the locale
// (LC_ALL, then LC_CTYPE, then LANG): zh_CN gives 936, zh_TW 950, anything else 1252.
#pragma once

#include <string>
#include <string_view>

#include <winapi/windef.h>

namespace winapi::posix {

UINT ansi_code_page();

// Bytes in the ANSI code page to UTF-8 (pure ASCII passes unchanged).
std::string ansi_to_utf8(std::string_view ansi);

// UTF-8 to bytes in the ANSI code page; characters the code page lacks
// become its default character.
std::string utf8_to_ansi(std::string_view utf8);

}  // namespace winapi::posix
