// Enciphered string streams: a string-source text under the stream key, with
// an 84-byte trailer, read into one library-wide table of strings.
#pragma once

#include <cstddef>
#include <cstdint>

namespace marlune::text {

inline constexpr size_t kStreamRecordSize = 84;
// The key every stream is enciphered under (32 characters).
extern const char kStreamKey[33];

// The stream record of a payload of `length` bytes under `key`, as stored.
void BuildStreamRecord(unsigned char (&record)[kStreamRecordSize], uint32_t length, const char* key);
// The 32-character payload key (and its NUL) from a stream record.
void DeriveStreamKey(char (&payload_key)[33], const unsigned char (&record)[kStreamRecordSize], const char* key);
// Deciphers the first count - 84 bytes into `output`: 1; 0 when an address
// is missing or count <= 84; -1 when the trailer does not fit key and length.
int DecodeStringStream(const unsigned char* stream, size_t count, unsigned char* output, const char* key);

class StringSrcTable {
 public:
  StringSrcTable() = default;
  virtual ~StringSrcTable();
  StringSrcTable(const StringSrcTable&) = delete;
  StringSrcTable& operator=(const StringSrcTable&) = delete;

  // Replaces the table with the strings of `text`; returns their count.
  uint32_t LoadText(const unsigned char* text, size_t length);
  // String n from 1, or "!!!xxxxx".
  const char* GetById(int64_t number) const;
  uint32_t count() const { return count_; }

 private:
  uint32_t CountLines() const;
  void BuildIndex();

  uint32_t count_ = 0;
  uint32_t* offsets_ = nullptr;
  char* text_ = nullptr;
  size_t length_ = 0;
};

}  // namespace marlune::text
