#include "marlune/text/string_stream.h"

#include <cstdlib>
#include <initializer_list>
#include <cstring>

#include "marlune/crypto/byte_operations.h"
#include "marlune/crypto/md5_text.h"

namespace marlune::text {

// Arbitrary but fixed: the first 32 characters of the hexadecimal SHA-256 of
// "marlune string stream key". Streams open only under the key they were made with.
const char kStreamKey[33] = "c6a6f66167e5c2e8ea81b53c8909e095";

namespace {

constexpr char kNotFound[] = "!!!xxxxx";

void PutWord(unsigned char* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

void BuildStreamRecord(unsigned char (&record)[kStreamRecordSize], uint32_t length, const char* key) {
  // "QuillTanderBrook V1.0 by Dorvaine." put together a piece at a time.
  char signature[35];
  char* s = signature;
  for (const char* piece : {"Quill", "Tander", "Brook", " V1.0", " by ", "Dorvaine", "."}) {
    for (const char* c = piece; *c != '\0'; ++c) *s++ = *c;
  }
  *s = '\0';
  memset(record, 0, sizeof record);
  PutWord(record, 1);
  crypto::SwappedMd5Text(reinterpret_cast<char*>(record + 8), signature, 34);
  PutWord(record + 44, length);
  uint32_t key_length = static_cast<uint32_t>(strlen(key));
  crypto::Md5TextOfBuffer(reinterpret_cast<char*>(record + 48), key, key_length);
  char mask[crypto::kMd5TextSize];
  crypto::SwappedMd5Text(mask, key, key_length);
  crypto::XorWithKeyPlus53(reinterpret_cast<char*>(record), kStreamRecordSize, mask);
}

void DeriveStreamKey(char (&payload_key)[33], const unsigned char (&record)[kStreamRecordSize], const char* key) {
  char work[kStreamRecordSize];
  for (size_t i = 0; i < kStreamRecordSize; ++i) work[i] = record[i] != 0 ? 0x10 : 0x00;
  crypto::XorWithKeyPlus53(work, kStreamRecordSize, key);
  crypto::ReverseTail(work, kStreamRecordSize, 0);
  crypto::XorWithKeyPlus53(work, kStreamRecordSize, key);
  crypto::SwappedMd5Text(payload_key, work, kStreamRecordSize);
}

int DecodeStringStream(const unsigned char* stream, size_t count, unsigned char* output, const char* key) {
  if (stream == nullptr || output == nullptr || key == nullptr || count <= kStreamRecordSize) return 0;
  size_t length = count - kStreamRecordSize;
  unsigned char record[kStreamRecordSize];
  BuildStreamRecord(record, static_cast<uint32_t>(length), key);
  if (memcmp(record, stream + length, kStreamRecordSize) != 0) return -1;
  char payload_key[33];
  DeriveStreamKey(payload_key, record, key);
  memcpy(output, stream, length);
  crypto::XorWithKeyPlus53(reinterpret_cast<char*>(output), length, payload_key);
  return 1;
}

StringSrcTable::~StringSrcTable() {
  free(offsets_);
  free(text_);
}

uint32_t StringSrcTable::LoadText(const unsigned char* text, size_t length) {
  free(offsets_);
  free(text_);
  offsets_ = nullptr;
  count_ = 0;
  length_ = length;
  text_ = static_cast<char*>(malloc(length + 1));
  if (text_ == nullptr) {
    length_ = 0;
    return 0;
  }
  memcpy(text_, text, length);
  text_[length] = '\0';
  uint32_t count = CountLines();
  offsets_ = static_cast<uint32_t*>(malloc((count != 0 ? count : 1) * sizeof(uint32_t)));
  if (offsets_ == nullptr) return 0;
  count_ = count;
  BuildIndex();
  return count_;
}

uint32_t StringSrcTable::CountLines() const {
  uint32_t count = 0;
  bool in_line = false;
  for (size_t i = 0; i < length_; ++i) {
    char c = text_[i];
    if (c == '\0') continue;
    if (c == '\r' || c == '\n') {
      if (in_line) ++count;
      in_line = false;
    } else {
      in_line = true;
    }
  }
  return in_line ? count + 1 : count;
}

void StringSrcTable::BuildIndex() {
  // Text outside the format can open more or fewer strings than it has
  // lines: extra strings are not recorded, and entries never recorded read
  // as the empty text at the end of the buffer.
  uint32_t recorded = 0;
  bool pending = false;
  char closing = '\0';
  for (size_t i = 0; i < length_; ++i) {
    char c = text_[i];
    if (c == '\0') continue;
    if (pending) {
      if (recorded < count_) offsets_[recorded++] = static_cast<uint32_t>(i);
      pending = false;
    }
    if (c == '\r' || c == '\n') {
      text_[i] = '\0';
    } else if (closing == '\0') {
      if (c == '"' || c == '\'' || c == '[') {
        text_[i] = '\0';
        pending = true;
        closing = c == '[' ? ']' : c;
      }
    } else if (c == closing) {
      text_[i] = '\0';
      closing = '\0';
    }
  }
  while (recorded < count_) offsets_[recorded++] = static_cast<uint32_t>(length_);
}

const char* StringSrcTable::GetById(int64_t number) const {
  if (number < 1 || static_cast<uint64_t>(number) > count_) return kNotFound;
  return text_ + offsets_[number - 1];
}

}  // namespace marlune::text
