#include "value_types.h"

#include <cstdio>

#include "ansi_text.h"
#include "ascii.h"

namespace reg_tool {
namespace {

struct TypeRow {
  DWORD type;
  const char* name;
  bool addable;
};

const TypeRow kTypes[] = {
    {REG_NONE, "REG_NONE", true},
    {REG_SZ, "REG_SZ", true},
    {REG_EXPAND_SZ, "REG_EXPAND_SZ", true},
    {REG_BINARY, "REG_BINARY", true},
    {REG_DWORD, "REG_DWORD", true},
    {REG_DWORD_BIG_ENDIAN, "REG_DWORD_BIG_ENDIAN", false},
    {REG_LINK, "REG_LINK", false},
    {REG_MULTI_SZ, "REG_MULTI_SZ", true},
    {REG_QWORD, "REG_QWORD", true},
};

std::string Hex(unsigned long long number) {
  char text[24];
  snprintf(text, sizeof text, "0x%llx", number);
  return text;
}

std::string HexBytes(const std::string& data) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char byte : data) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

}  // namespace

std::string TypeName(DWORD type) {
  for (const TypeRow& row : kTypes)
    if (row.type == type) return row.name;
  return Hex(type);
}

std::optional<DWORD> AddableType(const std::string& name) {
  for (const TypeRow& row : kTypes)
    if (row.addable && EqualsIgnoringCase(name, row.name)) return row.type;
  return std::nullopt;
}

std::optional<unsigned long long> LittleEndian(const std::string& data, size_t size) {
  if (data.size() != size) return std::nullopt;
  unsigned long long number = 0;
  for (size_t i = size; i-- > 0;) number = number << 8 | static_cast<unsigned char>(data[i]);
  return number;
}

std::string LittleEndianBytes(unsigned long long number, size_t size) {
  std::string bytes;
  for (size_t i = 0; i < size; ++i, number >>= 8) bytes += static_cast<char>(number & 0xff);
  return bytes;
}

std::string DisplayData(const Value& value) {
  switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return AnsiToUtf8ForDisplay(value.data.substr(0, value.data.find('\0')));
    case REG_MULTI_SZ: {
      std::string text;
      for (size_t start = 0; start < value.data.size();) {
        size_t end = value.data.find('\0', start);
        if (end == start) break;  // the empty item that ends the list
        if (end == std::string::npos) end = value.data.size();
        if (start > 0) text += "\\0";
        text += AnsiToUtf8ForDisplay(value.data.substr(start, end - start));
        start = end + 1;
      }
      return text;
    }
    case REG_DWORD:
      if (auto number = LittleEndian(value.data, 4)) return Hex(*number);
      break;
    case REG_DWORD_BIG_ENDIAN:
      if (value.data.size() == 4) {
        unsigned long long number = 0;
        for (unsigned char byte : value.data) number = number << 8 | byte;
        return Hex(number);
      }
      break;
    case REG_QWORD:
      if (auto number = LittleEndian(value.data, 8)) return Hex(*number);
      break;
  }
  return HexBytes(value.data);
}

}  // namespace reg_tool
