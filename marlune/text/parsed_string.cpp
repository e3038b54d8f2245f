#include "marlune/text/parsed_string.h"

#include <cstring>

namespace marlune::text {

void ParsedString::SetLine(std::string_view line) {
  text_ = std::make_unique<char[]>(line.size() + 1);
  std::memcpy(text_.get(), line.data(), line.size());
  text_[line.size()] = '\0';
  length_ = static_cast<uint32_t>(line.size());
  delimiter_ = kDefaultDelimiter;
  position_ = 0;
}

std::string_view ParsedString::NextItem() {
  if (length_ == 0 || position_ >= length_) return {};
  uint32_t at = position_;
  while (at < length_ && text_[at] == delimiter_) ++at;
  uint32_t begin = at;
  while (at < length_ && text_[at] != delimiter_) ++at;
  // Just after the delimiter that ended the item, or one beyond the end.
  position_ = at + 1;
  return std::string_view(text_.get() + begin, at - begin);
}

std::string_view ParsedString::Rest() {
  std::string_view rest;
  if (position_ < length_) rest = std::string_view(text_.get() + position_, length_ - position_);
  position_ = length_;
  return rest;
}

}  // namespace marlune::text
