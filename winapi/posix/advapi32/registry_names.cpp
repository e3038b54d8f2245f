#include "posix/advapi32/registry_names.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <winapi/winerror.h>

namespace winapi::posix::registry {

std::string folded_name(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
  const int32_t length = static_cast<int32_t>(utf8.size());
  int32_t i = 0;
  while (i < length) {
    if (bytes[i] < 0x80) {  // ASCII needs no table
      char c = static_cast<char>(bytes[i++]);
      folded.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
      continue;
    }
    const int32_t start = i;
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) {  // not UTF-8: the bytes stand for themselves
      folded.append(utf8.substr(static_cast<size_t>(start), static_cast<size_t>(i - start)));
      continue;
    }
    uint8_t out[U8_MAX_LENGTH];
    int32_t n = 0;
    U8_APPEND_UNSAFE(out, n, u_toupper(c));
    folded.append(reinterpret_cast<const char*>(out), static_cast<size_t>(n));
  }
  return folded;
}

size_t name_chars(std::string_view utf8) {
  size_t units = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++units;  // a lead byte starts a character
    if ((c & 0xF8) == 0xF0) ++units;  // beyond the BMP: a surrogate pair
  }
  return units;
}

SubkeyPath split_subkey_path(std::string_view utf8) {
  SubkeyPath path;
  if (!utf8.empty() && utf8.front() == '\\') {
    path.error = ERROR_BAD_PATHNAME;
    return path;
  }
  size_t start = 0;
  while (start < utf8.size()) {
    size_t end = utf8.find('\\', start);
    if (end == std::string_view::npos) end = utf8.size();
    if (end > start) {
      std::string_view level = utf8.substr(start, end - start);
      if (name_chars(level) > kMaxKeyNameChars) {
        path.error = ERROR_INVALID_PARAMETER;
        path.levels.clear();
        return path;
      }
      path.levels.emplace_back(level);
    }
    start = end + 1;
  }
  return path;
}

}  // namespace winapi::posix::registry
