// reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]: creates
// the key, then adds or overwrites one value.
#include <charconv>
#include <limits>

#include <winapi/winerror.h>

#include "ansi_text.h"
#include "ascii.h"
#include "command_line.h"
#include "commands.h"
#include "console.h"
#include "key_path.h"
#include "registry_key.h"
#include "value_types.h"

namespace reg_tool {
namespace {

const SwitchSpec kSwitches[] = {{"v", true}, {"ve", false}, {"t", true},
                                {"s", true}, {"d", true},   {"f", false}};

// A number written in decimal or, after 0x, in hexadecimal, that fits `max`.
std::optional<unsigned long long> ParseNumber(const std::string& text, unsigned long long max) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* begin = text.data() + (hex ? 2 : 0);
  const char* end = text.data() + text.size();
  unsigned long long number = 0;
  auto [stop, failure] = std::from_chars(begin, end, number, hex ? 16 : 10);
  if (begin == end || failure != std::errc() || stop != end || number > max) return std::nullopt;
  return number;
}

// The bytes /d gives for a value of `type`: strings in the ANSI code page
// with their terminators, numbers little-endian, binary data from pairs of
// hexadecimal digits. Nothing, with `error` set, when the text does not fit.
std::optional<std::string> DataFor(DWORD type, const std::string& text, const std::string& separator,
                                   std::string& error) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      std::optional<std::string> ansi = Utf8ToAnsi(text);
      if (!ansi) error = "The data cannot be written in this locale's ANSI code page.";
      if (!ansi) return std::nullopt;
      return *ansi + '\0';
    }
    case REG_MULTI_SZ: {
      std::string data;
      for (size_t start = 0; !text.empty() && start <= text.size();) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos) end = text.size();
        std::optional<std::string> item = Utf8ToAnsi(text.substr(start, end - start));
        if (!item || item->empty()) {
          error = item ? "A multi-string cannot hold an empty item."
                       : "The data cannot be written in this locale's ANSI code page.";
          return std::nullopt;
        }
        data += *item + '\0';
        start = end + separator.size();
      }
      return data + '\0';
    }
    case REG_DWORD:
    case REG_QWORD: {
      const bool dword = type == REG_DWORD;
      std::optional<unsigned long long> number =
          text.empty() ? 0ULL : ParseNumber(text, dword ? 0xffffffffULL : std::numeric_limits<unsigned long long>::max());
      if (!number) {
        error = dword ? "The data must be a number from 0 to 4294967295 (decimal, or hexadecimal after 0x)."
                      : "The data must be a 64-bit number (decimal, or hexadecimal after 0x).";
        return std::nullopt;
      }
      return LittleEndianBytes(*number, dword ? 4 : 8);
    }
    default: {
      std::string bytes;
      for (size_t i = 0; i + 1 < text.size() && HexDigit(text[i]) >= 0 && HexDigit(text[i + 1]) >= 0; i += 2)
        bytes += static_cast<char>(HexDigit(text[i]) << 4 | HexDigit(text[i + 1]));
      if (bytes.size() * 2 != text.size()) {
        error = "Binary data must be pairs of hexadecimal digits, such as 00ff1a.";
        return std::nullopt;
      }
      return bytes;
    }
  }
}

}  // namespace

int Add(std::span<char* const> arguments) {
  KeyCommand command;
  std::string error;
  if (!ParseKeyCommand(arguments, kSwitches, command, error)) return FailSyntax(error);
  auto& [line, name, path] = command;
  if (!name && (line.Has("t") || line.Has("d") || line.Has("s")))
    return FailSyntax("/t, /s and /d need the value named by /v or /ve.");
  std::optional<DWORD> type = AddableType(line.ValueOf("t").value_or("REG_SZ"));
  if (!type) return FailSyntax("Unknown value type " + *line.ValueOf("t") + ".");
  const std::string separator = line.ValueOf("s").value_or("\\0");
  if (line.Has("s") && (*type != REG_MULTI_SZ || separator.size() != 1))
    return FailSyntax("/s takes one character, and only with /t REG_MULTI_SZ.");
  std::optional<std::string> data;
  if (name) {
    data = DataFor(*type, line.ValueOf("d").value_or(""), separator, error);
    if (!data) return FailSyntax(error);
  }

  Key key;
  LSTATUS status = key.Create(path);
  if (status != ERROR_SUCCESS) return FailStatus(status);
  if (!name) return Done();
  Value existing;
  if (!line.Has("f") && ReadValue(key.get(), *name, existing) == ERROR_SUCCESS) {
    const std::string shown = name->empty() ? "(Default)" : AnsiToUtf8ForDisplay(*name);
    if (!Confirm("The value " + shown + " exists. Overwrite it")) return Cancelled();
  }
  status = RegSetValueExA(key.get(), name->c_str(), 0, *type, reinterpret_cast<const BYTE*>(data->data()),
                          static_cast<DWORD>(data->size()));
  return status == ERROR_SUCCESS ? Done() : FailStatus(status);
}

}  // namespace reg_tool
