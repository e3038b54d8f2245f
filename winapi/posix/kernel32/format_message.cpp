// FormatMessageA for system messages: texts come from the stand-in's own
// message table, in the neutral or English language.
#include <algorithm>
#include <cstring>
#include <string_view>

#include <winapi/winbase.h>
#include <winapi/winerror.h>

#include "posix/last_error.h"
#include "posix/messages.h"

using winapi::posix::fail_with;

namespace {

bool language_available(DWORD language) {
  switch (language) {
    case 0:       // language-neutral search
    case 0x0400:  // user default
    case 0x0800:  // system default
    case 0x0409:  // English (United States)
    case 0x0009:  // English
      return true;
    default:
      return false;
  }
}

// An HRESULT of the Win32 facility names the Win32 code in its low word.
DWORD win32_code_of(DWORD message_id) {
  if ((message_id & 0xFFFF0000u) == 0x80070000u) return message_id & 0xFFFFu;
  return message_id;
}

// FORMAT_MESSAGE_MAX_WIDTH_MASK asks for the text without its line break.
std::string_view shaped(std::string_view text, DWORD flags) {
  if ((flags & FORMAT_MESSAGE_MAX_WIDTH_MASK) == FORMAT_MESSAGE_MAX_WIDTH_MASK &&
      text.ends_with("\r\n"))
    text.remove_suffix(2);
  return text;
}

DWORD deliver(std::string_view text, DWORD flags, LPSTR buffer, DWORD size) {
  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    if (!buffer) return fail_with(ERROR_INVALID_PARAMETER, DWORD{0});
    size_t bytes = std::max<size_t>(size, text.size() + 1);
    auto* block = static_cast<char*>(LocalAlloc(LMEM_FIXED, bytes));
    if (!block) return 0;  // LocalAlloc has set ERROR_NOT_ENOUGH_MEMORY
    std::memcpy(block, text.data(), text.size());
    block[text.size()] = '\0';
    *reinterpret_cast<LPSTR*>(buffer) = block;
    return static_cast<DWORD>(text.size());
  }
  if (!buffer || size < text.size() + 1) return fail_with(ERROR_INSUFFICIENT_BUFFER, DWORD{0});
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<DWORD>(text.size());
}

}  // namespace

DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID /*lpSource*/, DWORD dwMessageId,
                            DWORD dwLanguageId, LPSTR lpBuffer, DWORD nSize,
                            void* /*Arguments*/) {
  // Only the system table is kept here; its texts carry no inserts.
  if (!(dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) ||
      (dwFlags & (FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_FROM_HMODULE)))
    return fail_with(ERROR_INVALID_PARAMETER, DWORD{0});
  if (!language_available(dwLanguageId)) return fail_with(ERROR_RESOURCE_LANG_NOT_FOUND, DWORD{0});

  std::string_view text = winapi::posix::system_message(win32_code_of(dwMessageId));
  if (text.empty()) return fail_with(ERROR_MR_MID_NOT_FOUND, DWORD{0});
  return deliver(shaped(text, dwFlags), dwFlags, lpBuffer, nSize);
}
