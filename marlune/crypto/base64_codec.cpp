#include "marlune/crypto/base64_codec.h"

#include <cstring>

namespace marlune::crypto {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr unsigned char kNotInAlphabet = 0xFE;
constexpr unsigned char kPad = 0xFF;

// Character code to 6-bit value. A character's code with the top bit set
// decodes like the character; "=" gives kPad; anything else kNotInAlphabet,
// which the masks of JoinGroup turn into 62. Built at compile time, so the
// table is read-only from the start.
struct DecodeTable {
  unsigned char value[256];
  constexpr DecodeTable() : value{} {
    for (auto& v : value) v = kNotInAlphabet;
    for (int i = 0; i < 64; ++i) {
      auto c = static_cast<unsigned char>(kAlphabet[i]);
      value[c] = static_cast<unsigned char>(i);
      value[c | 0x80] = static_cast<unsigned char>(i);
    }
    value[static_cast<unsigned char>('=')] = kPad;
    value[static_cast<unsigned char>('=') | 0x80] = kPad;
  }
};
constexpr DecodeTable kDecodeTable;

// Size of a buffer that holds n bytes: the next multiple of 4096 above n.
uint32_t RoundedCapacity(uint32_t n) { return (n / 4096 + 1) * 4096; }

}  // namespace

Base64Codec::~Base64Codec() {
  delete[] decoded_;
  delete[] encoded_;
}

void Base64Codec::EncodeText(const char* text) {
  if (!text) return;
  EncodeBytes(reinterpret_cast<const unsigned char*>(text), static_cast<uint32_t>(std::strlen(text)));
}

void Base64Codec::EncodeBytes(const unsigned char* bytes, uint32_t count) {
  LoadDecoded(bytes, count);
  // 4 characters per started group of three, and room for the NUL.
  ReserveEncoded(count / 3 * 4 + 4);
  uint32_t i = 0;
  for (; i + 3 <= count; i += 3) {
    EncodeGroup(decoded_ + i, 3, encoded_ + encoded_length_);
    encoded_length_ += 4;
  }
  if (i < count) {
    unsigned char group[3] = {};
    std::memcpy(group, decoded_ + i, count - i);
    EncodeGroup(group, static_cast<int>(count - i), encoded_ + encoded_length_);
    encoded_length_ += 4;
  }
}

void Base64Codec::DecodeText(const char* text) {
  if (!text) return;
  DecodeBytes(text, static_cast<uint32_t>(std::strlen(text)));
}

void Base64Codec::DecodeBytes(const char* text, uint32_t count) {
  LoadEncoded(text, count);
  ReserveDecoded(count);
  const auto* chars = reinterpret_cast<const unsigned char*>(encoded_);
  uint32_t length = encoded_length_;
  uint32_t i = 0;
  for (; i + 4 <= length; i += 4) {
    unsigned char values[4];
    for (int k = 0; k < 4; ++k) values[k] = kDecodeTable.value[chars[i + k]];
    if (values[2] == kPad) values[2] = 0;
    if (values[3] == kPad) values[3] = 0;
    DecodeGroup(values, decoded_ + decoded_length_);
    decoded_length_ += 3;
  }
  if (i < length) {
    unsigned char values[4] = {};
    uint32_t rest = length - i;
    for (uint32_t k = 0; k < rest; ++k) {
      unsigned char v = kDecodeTable.value[chars[i + k]];
      values[k] = v == kPad ? 0 : v;
    }
    DecodeGroup(values, decoded_ + decoded_length_);
    decoded_length_ += rest;
  }
}

unsigned char* Base64Codec::GetDecoded() { return decoded_; }
char* Base64Codec::GetEncoded() { return encoded_; }
uint32_t Base64Codec::GetDecodedLength() { return decoded_length_; }
uint32_t Base64Codec::GetEncodedLength() { return encoded_length_; }

// A reused buffer must be larger than `size` too, so that a text filling
// `size` bytes still has its NUL.
void Base64Codec::ReserveEncoded(uint32_t size) {
  if (encoded_capacity_ <= size || !encoded_) {
    delete[] encoded_;
    encoded_capacity_ = RoundedCapacity(size);
    encoded_ = new char[encoded_capacity_];
  }
  std::memset(encoded_, 0, encoded_capacity_);
  encoded_length_ = 0;
}

void Base64Codec::ReserveDecoded(uint32_t size) {
  if (decoded_capacity_ <= size || !decoded_) {
    delete[] decoded_;
    decoded_capacity_ = RoundedCapacity(size);
    decoded_ = new unsigned char[decoded_capacity_];
  }
  std::memset(decoded_, 0, decoded_capacity_);
  decoded_length_ = 0;
}

void Base64Codec::LoadEncoded(const char* text, uint32_t count) {
  ReserveEncoded(count);
  for (uint32_t i = 0; i < count; ++i) {
    if (!IsSpace(text[i])) encoded_[encoded_length_++] = text[i];
  }
}

void Base64Codec::LoadDecoded(const unsigned char* bytes, uint32_t count) {
  ReserveDecoded(count);
  if (count > 0) std::memcpy(decoded_, bytes, count);
  decoded_length_ = count;
}

void Base64Codec::EncodeGroup(const unsigned char* group, int count, char* output) {
  unsigned char values[4];
  SplitGroup(group, values);
  for (int k = 0; k < 4; ++k) output[k] = kAlphabet[values[k]];
  if (count == 1) output[2] = '=';
  if (count <= 2) output[3] = '=';
}

void Base64Codec::DecodeGroup(const unsigned char* values, unsigned char* output) { JoinGroup(values, output); }

void Base64Codec::SplitGroup(const unsigned char* b, unsigned char* x) {
  x[0] = static_cast<unsigned char>(b[0] >> 2);
  x[1] = static_cast<unsigned char>(((b[0] << 4) & 0x3F) | (b[1] >> 4));
  x[2] = static_cast<unsigned char>(((b[1] << 2) & 0x3F) | (b[2] >> 6));
  x[3] = static_cast<unsigned char>(b[2] & 0x3F);
}

void Base64Codec::JoinGroup(const unsigned char* x, unsigned char* b) {
  b[0] = static_cast<unsigned char>((x[0] << 2) | ((x[1] >> 4) & 3));
  b[1] = static_cast<unsigned char>((x[1] << 4) | ((x[2] >> 2) & 0x0F));
  b[2] = static_cast<unsigned char>((x[2] << 6) | (x[3] & 0x3F));
}

bool Base64Codec::IsSpace(char c) { return (c >= 7 && c <= 13) || c == ' '; }

}  // namespace marlune::crypto
