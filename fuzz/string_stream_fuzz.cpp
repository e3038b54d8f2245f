// LoadStringSrcStream and GetStringSrcById: opening any stream, and
// enciphering any text as a stream, opening it and reading every string.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "marlune/crypto/byte_operations.h"
#include "marlune/text/string_stream.h"

namespace {

using marlune::text::kStreamKey;
using marlune::text::kStreamRecordSize;
using marlune::text::StringSrcTable;

constexpr char kNotFound[] = "!!!xxxxx";

// Every string of the table ends inside its text (the sanitizer watches the
// reads), and numbers outside 1..count read as not found.
void CheckEntries(const StringSrcTable& table) {
  for (uint32_t n = 1; n <= table.count(); ++n) (void)std::strlen(table.GetById(n));
  for (int64_t n : {int64_t{0}, int64_t{-1}, int64_t{table.count()} + 1, INT64_MIN, INT64_MAX}) {
    FUZZ_CHECK(std::strcmp(table.GetById(n), kNotFound) == 0);
  }
}

// Decodes `stream` into an exact-size buffer and, when it opens, loads it.
int Open(StringSrcTable& table, const unsigned char* stream, size_t count) {
  if (count <= kStreamRecordSize) {
    FUZZ_CHECK(marlune::text::DecodeStringStream(stream, count, nullptr, kStreamKey) == 0);
    return 0;
  }
  std::vector<unsigned char> text(count - kStreamRecordSize);
  int result = marlune::text::DecodeStringStream(stream, count, text.data(), kStreamKey);
  FUZZ_CHECK(result == 1 || result == -1);
  if (result == 1) {
    table.LoadText(text.data(), text.size());
    CheckEntries(table);
  }
  return result;
}

// `text` as a stream under the build's stream key, the way tools/strsrc makes one.
std::vector<unsigned char> MakeStream(std::string text) {
  unsigned char record[kStreamRecordSize];
  marlune::text::BuildStreamRecord(record, static_cast<uint32_t>(text.size()), kStreamKey);
  char payload_key[33];
  marlune::text::DeriveStreamKey(payload_key, record, kStreamKey);
  marlune::crypto::XorWithKeyPlus53(text.data(), text.size(), payload_key);
  std::vector<unsigned char> stream(text.begin(), text.end());
  stream.insert(stream.end(), record, record + kStreamRecordSize);
  return stream;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StringSrcTable table;

  // The input as a stream.
  Open(table, data, size);

  // The input as a string-source text: it opens as a stream and loads; the
  // table replaces the one before.
  std::string text(reinterpret_cast<const char*>(data), size);
  if (!text.empty()) {
    std::vector<unsigned char> stream = MakeStream(text);
    FUZZ_CHECK(Open(table, stream.data(), stream.size()) == 1);
  }

  // The input's lines as strings of a well-formed text, each between the
  // delimiters of its turn, read back one by one.
  std::vector<std::string> strings;
  std::string source;
  size_t start = 0;
  for (size_t end = 0; end <= text.size(); ++end) {
    if (end < text.size() && text[end] != '\n') continue;
    static constexpr std::string_view kOpen = "\"'[", kClose = "\"']";
    size_t turn = strings.size() % 3;
    std::string line;
    for (char c : std::string_view(text).substr(start, end - start)) {
      if (c != '\0' && c != '\r' && c != kClose[turn]) line += c;
    }
    source += std::string(1, kOpen[turn]) + line + kClose[turn] + (turn == 1 ? "\r\n" : "\n");
    strings.push_back(line);
    start = end + 1;
  }
  std::vector<unsigned char> stream = MakeStream(source);
  FUZZ_CHECK(Open(table, stream.data(), stream.size()) == 1);
  FUZZ_CHECK(table.count() == strings.size());
  for (uint32_t n = 1; n <= strings.size(); ++n) FUZZ_CHECK(table.GetById(n) == strings[n - 1]);
  return 0;
}
