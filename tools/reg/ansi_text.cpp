#include "ansi_text.h"

#include <climits>

#include <winapi/winnls.h>

namespace reg_tool {
namespace {

// Converts through UTF-16, as Windows code page conversions go; `used_default`
// tells whether the second step had to substitute a character.
std::optional<std::string> Convert(std::string_view text, UINT from, UINT to, bool* used_default) {
  if (used_default) *used_default = false;
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX / 2) return std::nullopt;
  const int length = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::u16string wide(static_cast<size_t>(units), u'\0');
  if (MultiByteToWideChar(from, 0, text.data(), length, wide.data(), units) != units) return std::nullopt;
  BOOL substituted = FALSE;
  LPBOOL substituted_out = to == CP_UTF8 ? nullptr : &substituted;
  const int bytes = WideCharToMultiByte(to, 0, wide.data(), units, nullptr, 0, nullptr, substituted_out);
  if (bytes <= 0) return std::nullopt;
  std::string result(static_cast<size_t>(bytes), '\0');
  if (WideCharToMultiByte(to, 0, wide.data(), units, result.data(), bytes, nullptr, substituted_out) != bytes)
    return std::nullopt;
  if (used_default) *used_default = substituted != FALSE;
  return result;
}

}  // namespace

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
  bool substituted = false;
  std::optional<std::string> ansi = Convert(utf8, CP_UTF8, CP_ACP, &substituted);
  if (substituted) return std::nullopt;
  return ansi;
}

std::optional<std::string> AnsiToUtf8(std::string_view ansi) {
  std::optional<std::string> utf8 = Convert(ansi, CP_ACP, CP_UTF8, nullptr);
  if (!utf8) return std::nullopt;
  std::optional<std::string> back = Utf8ToAnsi(*utf8);
  if (!back || *back != ansi) return std::nullopt;
  return utf8;
}

std::string AnsiToUtf8ForDisplay(std::string_view ansi) {
  std::optional<std::string> utf8 = Convert(ansi, CP_ACP, CP_UTF8, nullptr);
  return utf8 ? *utf8 : std::string(ansi);
}

}  // namespace reg_tool
