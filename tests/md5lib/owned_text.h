// Takes ownership of a text returned by md5lib and frees it as its callers must.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>

struct OwnedText {
  explicit OwnedText(char* text) : owned(text, &std::free) {}
  std::string str() const { return owned ? owned.get() : "(null)"; }
  std::unique_ptr<char, decltype(&std::free)> owned;
};
