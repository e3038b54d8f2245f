// The system message table behind FormatMessageA: one text for every code the
// stand-in can set, each ending in CR LF as Windows system messages do.
#pragma once

#include <string_view>

#include <winapi/windef.h>

namespace winapi::posix {

// The message for `code`, or an empty view when the table has none.
std::string_view system_message(DWORD code);

}  // namespace winapi::posix
