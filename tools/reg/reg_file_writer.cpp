// Writing the registry editor's text form; the format is described in reg_file.h.
#include <cstdio>
#include <cstring>
#include <optional>

#include <winapi/winerror.h>

#include "ansi_text.h"
#include "reg_file.h"
#include "value_types.h"

namespace reg_tool {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// A hexadecimal line is broken after the byte that brings it to this length.
constexpr size_t kHexLineLimit = 77;

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// UTF-8 text between double quotes, with \ and " escaped by a backslash.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

// Characters rather than bytes, as the editor counts a line.
size_t CharacterCount(std::string_view utf8) {
  size_t count = 0;
  for (unsigned char byte : utf8)
    if ((byte & 0xc0) != 0x80) ++count;
  return count;
}

// The text of a REG_SZ that can be written as "text": its bytes before the
// one final NUL, without line breaks, converting to UTF-8 and back intact.
std::optional<std::string> StringAsText(const std::string& data) {
  if (data.empty() || data.back() != '\0') return std::nullopt;
  const std::string_view text(data.data(), data.size() - 1);
  if (text.find('\0') != std::string_view::npos || HasLineBreak(text)) return std::nullopt;
  return AnsiToUtf8(text);
}

void AppendHex(const std::string& lead, DWORD type, const std::string& data, std::string& text) {
  char kind[24];
  if (type == REG_BINARY) snprintf(kind, sizeof kind, "hex:");
  else snprintf(kind, sizeof kind, "hex(%x):", static_cast<unsigned>(type));
  text += lead;
  text += kind;
  size_t length = CharacterCount(lead) + strlen(kind);
  for (size_t i = 0; i < data.size(); ++i) {
    char byte[4];
    snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(data[i]));
    text += byte;
    if (i + 1 == data.size()) break;
    text += ',';
    length += 3;
    if (length >= kHexLineLimit) {
      text += '\\';
      text += kLineEnd;
      text += "  ";
      length = 2;
    }
  }
}

LSTATUS AppendValue(const KeyPath& path, const Value& value, std::string& text, std::string& error) {
  std::string lead = "@=";
  if (!value.name.empty()) {
    std::optional<std::string> name = AnsiToUtf8(value.name);
    if (!name || HasLineBreak(*name)) {
      error = "The name of a value of " + path.Display() + " (" + AnsiToUtf8ForDisplay(value.name) +
              ") cannot be written as text.";
      return ERROR_INVALID_DATA;
    }
    lead = Quoted(*name) + "=";
  }
  std::optional<std::string> string_text;
  std::optional<unsigned long long> number;
  if (value.type == REG_SZ && (string_text = StringAsText(value.data))) {
    text += lead + Quoted(*string_text);
  } else if (value.type == REG_DWORD && (number = LittleEndian(value.data, 4))) {
    char dword[24];
    snprintf(dword, sizeof dword, "dword:%08llx", *number);
    text += lead + dword;
  } else {
    AppendHex(lead, value.type, value.data, text);
  }
  text += kLineEnd;
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS WriteKeyTree(const KeyPath& path, HKEY key, std::string& text, std::string& error) {
  std::optional<std::string> subkey = AnsiToUtf8(path.subkey);
  if (!subkey || HasLineBreak(*subkey)) {
    error = "The key name " + path.Display() + " cannot be written as text.";
    return ERROR_INVALID_DATA;
  }
  text += "[" + path.root_name + (subkey->empty() ? "" : "\\" + *subkey) + "]";
  text += kLineEnd;
  std::vector<Value> values;
  LSTATUS status = ReadValues(key, values);
  for (size_t i = 0; status == ERROR_SUCCESS && i < values.size(); ++i)
    status = AppendValue(path, values[i], text, error);
  if (status != ERROR_SUCCESS) return status;
  text += kLineEnd;

  std::vector<std::string> names;
  status = ReadSubkeyNames(key, names);
  for (size_t i = 0; status == ERROR_SUCCESS && i < names.size(); ++i) {
    const KeyPath child = path.Child(names[i]);
    Key subkey_handle;
    status = subkey_handle.Open(child, KEY_READ);
    if (status == ERROR_SUCCESS) status = WriteKeyTree(child, subkey_handle.get(), text, error);
  }
  return status;
}

}  // namespace reg_tool
