// Sets the locale variables the stand-in reads (LC_ALL, LC_CTYPE, LANG) for
// one scope and puts the old values back after; a null value unsets one.
#pragma once

#include <stdlib.h>

#include <array>
#include <optional>
#include <string>

class ScopedLocale {
 public:
  ScopedLocale(const char* lc_all, const char* lc_ctype, const char* lang) {
    const char* values[] = {lc_all, lc_ctype, lang};
    for (size_t i = 0; i < kNames.size(); ++i) {
      if (const char* old = getenv(kNames[i])) saved_[i] = old;
      assign(kNames[i], values[i]);
    }
  }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;
  ~ScopedLocale() {
    for (size_t i = 0; i < kNames.size(); ++i) assign(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
  }

 private:
  static void assign(const char* name, const char* value) {
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }

  static constexpr std::array<const char*, 3> kNames = {"LC_ALL", "LC_CTYPE", "LANG"};
  std::array<std::optional<std::string>, 3> saved_;
};
