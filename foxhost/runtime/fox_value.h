// A FoxPro value as the host keeps it: character (a byte string, NUL bytes
// allowed), numeric (with width and decimals), integer, logical or .NULL..
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace foxhost {

struct FoxValue {
  char type = 'L';  // 'C', 'N', 'I', 'L' or '0' (.NULL.)
  std::string text;
  double number = 0;
  int32_t integer = 0;
  bool logical = false;
  int width = 0;
  int decimals = 0;

  static FoxValue Character(std::string text);
  static FoxValue Integer(int32_t value, int width = 10);
  static FoxValue Numeric(double value, int width = 10, int decimals = 0);
  static FoxValue Logical(bool value);
  static FoxValue Null();

  bool IsNumber() const { return type == 'N' || type == 'I'; }
  double AsDouble() const { return type == 'I' ? integer : number; }
};

// Same type and same contents; display width and decimals do not count.
bool operator==(const FoxValue& a, const FoxValue& b);

// "character", "numeric", ...
const char* TypeName(char type);

// For test failure messages.
void PrintTo(const FoxValue& value, std::ostream* out);

}  // namespace foxhost
