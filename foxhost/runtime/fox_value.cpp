#include "foxhost/runtime/fox_value.h"

#include <utility>

namespace foxhost {

FoxValue FoxValue::Character(std::string text) {
  FoxValue v;
  v.type = 'C';
  v.text = std::move(text);
  return v;
}

FoxValue FoxValue::Integer(int32_t value, int width) {
  FoxValue v;
  v.type = 'I';
  v.integer = value;
  v.width = width;
  return v;
}

FoxValue FoxValue::Numeric(double value, int width, int decimals) {
  FoxValue v;
  v.type = 'N';
  v.number = value;
  v.width = width;
  v.decimals = decimals;
  return v;
}

FoxValue FoxValue::Logical(bool value) {
  FoxValue v;
  v.logical = value;
  return v;
}

FoxValue FoxValue::Null() {
  FoxValue v;
  v.type = '0';
  return v;
}

bool operator==(const FoxValue& a, const FoxValue& b) {
  if (a.type != b.type) return false;
  switch (a.type) {
    case 'C': return a.text == b.text;
    case 'N': return a.number == b.number;
    case 'I': return a.integer == b.integer;
    case 'L': return a.logical == b.logical;
    default: return true;
  }
}

const char* TypeName(char type) {
  switch (type) {
    case 'C': return "character";
    case 'N': return "numeric";
    case 'I': return "integer";
    case 'L': return "logical";
    case '0': return ".NULL.";
    default: return "unknown";
  }
}

void PrintTo(const FoxValue& value, std::ostream* out) {
  switch (value.type) {
    case 'C': {
      *out << '"';
      for (unsigned char c : value.text) {
        if (c >= 0x20 && c < 0x7F) *out << c;
        else *out << "\\x" << "0123456789ABCDEF"[c >> 4] << "0123456789ABCDEF"[c & 15];
      }
      *out << "\" (C)";
      break;
    }
    case 'N': *out << value.number << " (N)"; break;
    case 'I': *out << value.integer << " (I)"; break;
    case 'L': *out << (value.logical ? ".T." : ".F."); break;
    default: *out << ".NULL."; break;
  }
}

}  // namespace foxhost
