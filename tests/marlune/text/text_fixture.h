// A fresh library in the test host, and values to call it with.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include <winapi/windows.h>

#include "tests/support/test_host.h"

namespace foxhost {

inline FoxValue C(std::string text) { return FoxValue::Character(std::move(text)); }
inline FoxValue I(int32_t value) { return FoxValue::Integer(value); }
inline FoxValue N(double value) { return FoxValue::Numeric(value, 12, 2); }
inline FoxValue L(bool value) { return FoxValue::Logical(value); }

// Text in a code page (936 or 950) from a UTF-8 literal.
inline std::string Encoded(UINT code_page, std::string_view utf8) {
  std::u16string wide(utf8.size() + 1, u'\0');
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                              static_cast<int>(wide.size()));
  std::string bytes(static_cast<size_t>(n) * 2 + 1, '\0');
  int m = WideCharToMultiByte(code_page, 0, wide.data(), n, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                              nullptr);
  bytes.resize(static_cast<size_t>(m));
  return bytes;
}
inline std::string Gbk(std::string_view utf8) { return Encoded(936, utf8); }
inline std::string Big5(std::string_view utf8) { return Encoded(950, utf8); }

class TextTest : public ::testing::Test {
 protected:
  testing::TestHost host{MARLUNE_FLL};
};

}  // namespace foxhost
