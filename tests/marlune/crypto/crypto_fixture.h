// A fresh library in the test host, and values to call it with.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/test_host.h"

namespace foxhost {

inline FoxValue C(std::string text) { return FoxValue::Character(std::move(text)); }
inline FoxValue I(int32_t value) { return FoxValue::Integer(value); }

inline std::string RandomBytes(std::mt19937& random, size_t length) {
  std::string bytes(length, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

class CryptoTest : public ::testing::Test {
 protected:
  // A variable holding exactly these bytes.
  void SetVariable(std::string_view name, std::string bytes) {
    host.runtime().variables().Assign(name, C(std::move(bytes)));
  }
  std::string Text(std::string_view expression) { return host.Evaluate(expression).text; }

  testing::TestHost host{MARLUNE_FLL};
};

}  // namespace foxhost
