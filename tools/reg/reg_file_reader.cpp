// Reading the registry editor's text form; the format is described in reg_file.h.
// The whole file is read before anything is written, so a malformed file
// changes nothing.
#include <optional>

#include "ansi_text.h"
#include "ascii.h"
#include "reg_file.h"
#include "value_types.h"

namespace reg_tool {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view lower) {
  return AsciiLower(text.substr(0, lower.size())) == lower;
}

// A number of 1 to `digits` hexadecimal digits making up all of `text`.
std::optional<unsigned long> HexNumber(std::string_view text, size_t digits) {
  if (text.empty() || text.size() > digits) return std::nullopt;
  unsigned long number = 0;
  for (char c : text) {
    if (HexDigit(c) < 0) return std::nullopt;
    number = number << 4 | static_cast<unsigned long>(HexDigit(c));
  }
  return number;
}

// The file's lines without their line ends.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

class Reader {
 public:
  Reader(std::vector<std::string_view> lines, std::vector<RegFileStep>& steps)
      : lines_(std::move(lines)), steps_(steps) {}

  bool Run(std::string& error) {
    if (lines_.empty() || TrimRight(lines_[0]) != kRegFileHeader)
      return Failed("the file does not begin with \"" + std::string(kRegFileHeader) + "\"", error, 1);
    for (index_ = 1; index_ < lines_.size(); ++index_) {
      const std::string_view line = TrimLeft(lines_[index_]);
      if (line.empty() || line.front() == ';') continue;
      bool read = false;
      if (line.front() == '[') read = KeyLine(line);
      else if (line.front() == '@' || line.front() == '"') read = ValueLine(line);
      else Problem("this is not a key, value or comment line");
      if (!read) return Failed(problem_, error, LineNumber());
    }
    return true;
  }

 private:
  static bool Failed(const std::string& problem, std::string& error, int line) {
    error = "line " + std::to_string(line) + ": " + problem + ".";
    return false;
  }
  bool Problem(std::string text) {
    problem_ = std::move(text);
    return false;
  }
  int LineNumber() const { return static_cast<int>(index_ + 1); }

  // [KEY] opens a key (creating it); [-KEY] deletes it with everything below.
  bool KeyLine(std::string_view line) {
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos || !TrimRight(line.substr(close + 1)).empty())
      return Problem("a key line ends with ]");
    std::string_view name = line.substr(1, close - 1);
    const bool remove = name.starts_with('-');
    if (remove) name.remove_prefix(1);
    std::optional<KeyPath> path = ParseKeyPath(name);
    if (!path) return Problem("not a valid key (or not one this locale's ANSI code page can name)");
    if (remove && path->subkey.empty()) return Problem("a root key cannot be deleted");
    steps_.push_back(RegFileStep{remove ? RegFileStep::kDeleteKey : RegFileStep::kCreateKey, *path, {}, LineNumber()});
    current_ = remove ? std::nullopt : path;
    return true;
  }

  // "text" with \\ and \" escapes, at the start of `rest`; moves past it.
  bool QuotedText(std::string_view& rest, std::string& text) {
    text.clear();
    for (size_t i = 1; i < rest.size(); ++i) {
      char c = rest[i];
      if (c == '"') {
        rest.remove_prefix(i + 1);
        return true;
      }
      if (c == '\\') {
        if (i + 1 == rest.size() || (rest[i + 1] != '\\' && rest[i + 1] != '"'))
          return Problem("a backslash in quotes escapes only \\ or \"");
        c = rest[++i];
      }
      text += c;
    }
    return Problem("a quoted text has no closing quote");
  }

  std::optional<std::string> ToAnsi(const std::string& utf8) {
    std::optional<std::string> ansi = Utf8ToAnsi(utf8);
    if (!ansi) Problem("\"" + utf8 + "\" cannot be written in this locale's ANSI code page");
    return ansi;
  }

  // @=DATA or "name"=DATA, DATA being - (delete), "text", dword:, hex: or hex(N):.
  bool ValueLine(std::string_view rest) {
    if (!current_) return Problem("a value line needs a [key] line before it");
    RegFileStep step{RegFileStep::kSetValue, *current_, {}, LineNumber()};
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else {
      std::string name;
      if (!QuotedText(rest, name)) return false;
      std::optional<std::string> ansi = ToAnsi(name);
      if (!ansi) return false;
      step.value.name = *ansi;
    }
    rest = TrimLeft(rest);
    if (!rest.starts_with('=')) return Problem("a value name is followed by =");
    rest = TrimRight(TrimLeft(rest.substr(1)));
    if (rest == "-") {
      step.kind = RegFileStep::kDeleteValue;
    } else if (rest.starts_with('"')) {
      std::string text;
      if (!QuotedText(rest, text)) return false;
      if (!TrimLeft(rest).empty()) return Problem("nothing may follow the closing quote");
      std::optional<std::string> ansi = ToAnsi(text);
      if (!ansi) return false;
      step.value.type = REG_SZ;
      step.value.data = *ansi + '\0';
    } else if (StartsWithIgnoringCase(rest, "dword:")) {
      std::optional<unsigned long> number = HexNumber(rest.substr(6), 8);
      if (!number) return Problem("dword: takes 1 to 8 hexadecimal digits");
      step.value.type = REG_DWORD;
      step.value.data = LittleEndianBytes(*number, 4);
    } else if (StartsWithIgnoringCase(rest, "hex")) {
      if (!HexData(rest.substr(3), step.value)) return false;
    } else {
      return Problem("the data is not -, \"text\", dword:, hex: or hex(N):");
    }
    steps_.push_back(std::move(step));
    return true;
  }

  // The part after "hex": the type, then bytes separated by commas; a line
  // ending in a backslash goes on in the next one.
  bool HexData(std::string_view rest, Value& value) {
    value.type = REG_BINARY;
    if (rest.starts_with('(')) {
      const size_t close = rest.find(')');
      std::optional<unsigned long> type =
          close == std::string_view::npos ? std::nullopt : HexNumber(rest.substr(1, close - 1), 8);
      if (!type) return Problem("hex( is followed by a type number in hexadecimal and )");
      value.type = static_cast<DWORD>(*type);
      rest.remove_prefix(close + 1);
    }
    if (!rest.starts_with(':')) return Problem("hex data begin after a colon");
    std::string list(rest.substr(1));
    while (!list.empty() && list.back() == '\\') {
      list.pop_back();
      if (index_ + 1 == lines_.size()) return Problem("the last line ends in a backslash");
      list += TrimRight(TrimLeft(lines_[++index_]));
    }
    std::string_view items = TrimRight(TrimLeft(list));
    if (items.ends_with(',')) items.remove_suffix(1);
    while (!items.empty()) {
      const size_t comma = items.find(',');
      std::optional<unsigned long> byte = HexNumber(TrimRight(TrimLeft(items.substr(0, comma))), 2);
      if (!byte) return Problem("hex data are bytes of two hexadecimal digits separated by commas");
      value.data += static_cast<char>(*byte);
      if (comma == std::string_view::npos) break;
      items.remove_prefix(comma + 1);
      if (items.empty()) return Problem("hex data are bytes of two hexadecimal digits separated by commas");
    }
    return true;
  }

  std::vector<std::string_view> lines_;
  std::vector<RegFileStep>& steps_;
  size_t index_ = 0;
  std::optional<KeyPath> current_;
  std::string problem_;
};

}  // namespace

bool ReadRegFile(std::string_view bytes, std::vector<RegFileStep>& steps, std::string& error) {
  steps.clear();
  if (bytes.starts_with("\xff\xfe") || bytes.starts_with("\xfe\xff")) {
    error = "the file is UTF-16; convert it to UTF-8 first (iconv -f UTF-16 -t UTF-8).";
    return false;
  }
  if (bytes.starts_with("\xef\xbb\xbf")) bytes.remove_prefix(3);
  return Reader(SplitLines(bytes), steps).Run(error);
}

}  // namespace reg_tool
