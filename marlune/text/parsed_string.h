// The parsed-string cursor: one delimited line of text, walked item by item
// by the PS functions. One library-wide instance lives in the library state.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace marlune::text {

class ParsedString {
 public:
  static constexpr char kDefaultDelimiter = '|';

  ParsedString() = default;
  virtual ~ParsedString() = default;
  ParsedString(const ParsedString&) = delete;
  ParsedString& operator=(const ParsedString&) = delete;

  // A new line: the delimiter goes back to "|" and the cursor to the start.
  void SetLine(std::string_view line);
  void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
  bool AtEnd() const { return position_ >= length_; }
  // The next item (runs of delimiters count as one), "" when none is left.
  // The whole item comes back, however long it is.
  std::string_view NextItem();
  void GoToHead() { position_ = 0; }
  // The text from the cursor to the end; the cursor then stands at the end.
  std::string_view Rest();

 private:
  std::unique_ptr<char[]> text_;  // the line's copy, NUL-terminated
  uint32_t length_ = 0;
  char delimiter_ = kDefaultDelimiter;
  uint32_t position_ = 0;  // may pass the end by one after the last item
};

}  // namespace marlune::text
