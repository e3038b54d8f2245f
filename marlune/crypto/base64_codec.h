// Base64 with "=" padding and no line breaks, over two owned buffers that
// grow in 4096-byte steps and are zero-filled at every reservation (so the
// text in either is NUL-terminated).
#pragma once

#include <cstdint>

namespace marlune::crypto {

class Base64Codec {
 public:
  Base64Codec() = default;
  Base64Codec(const Base64Codec&) = delete;
  Base64Codec& operator=(const Base64Codec&) = delete;

  virtual ~Base64Codec();
  virtual void EncodeText(const char* text);
  virtual void EncodeBytes(const unsigned char* bytes, uint32_t count);
  virtual void DecodeText(const char* text);
  virtual void DecodeBytes(const char* text, uint32_t count);
  virtual unsigned char* GetDecoded();
  virtual char* GetEncoded();
  virtual uint32_t GetDecodedLength();
  virtual uint32_t GetEncodedLength();
  virtual void ReserveEncoded(uint32_t size);
  virtual void ReserveDecoded(uint32_t size);
  virtual void LoadEncoded(const char* text, uint32_t count);
  virtual void LoadDecoded(const unsigned char* bytes, uint32_t count);
  // group: three bytes (zero beyond `count`, 1 to 3); writes four characters.
  virtual void EncodeGroup(const unsigned char* group, int count, char* output);
  virtual void DecodeGroup(const unsigned char* values, unsigned char* output);
  virtual void SplitGroup(const unsigned char* bytes, unsigned char* values);
  virtual void JoinGroup(const unsigned char* values, unsigned char* bytes);
  virtual bool IsSpace(char c);

 private:
  unsigned char* decoded_ = nullptr;
  char* encoded_ = nullptr;
  uint32_t decoded_capacity_ = 0;
  uint32_t encoded_capacity_ = 0;
  uint32_t decoded_length_ = 0;
  uint32_t encoded_length_ = 0;
};

}  // namespace marlune::crypto
