// Key and value names of the registry: how they are compared, how a subkey
// path splits into levels, and how long a name may be. Names are held as
// UTF-8 with the case they were created with; comparisons use a folded form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <winapi/windef.h>

namespace winapi::posix::registry {

// Windows caps a key name at 255 characters and a value name at 16383.
constexpr size_t kMaxKeyNameChars = 255;
constexpr size_t kMaxValueNameChars = 16383;

// The form two names are compared in: each character mapped to its simple
// upper case, as Windows compares registry names. No character expands
// ("Straße" and "STRASSE" stay different names, as on Windows), and names
// sort in the order of this form, which puts '_' after the letters as a
// Windows subkey listing does.
std::string folded_name(std::string_view utf8);

// The length of a UTF-8 name in UTF-16 units, the characters Windows counts.
size_t name_chars(std::string_view utf8);

// The levels of a subkey path (UTF-8). Backslash separates levels; runs of
// backslashes count as one and a trailing backslash is ignored, as Windows
// reads key paths. NULL and "" give no levels (the key itself).
// Errors, with the codes Windows gives:
//   a path that starts with a backslash: ERROR_BAD_PATHNAME;
//   a level longer than 255 characters: ERROR_INVALID_PARAMETER.
struct SubkeyPath {
  std::vector<std::string> levels;
  DWORD error = 0;
};
SubkeyPath split_subkey_path(std::string_view utf8);

}  // namespace winapi::posix::registry
