// Base64Codec: decoding any text, and encoding any bytes and decoding them back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "marlune/crypto/base64_codec.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool IsSpace(char c) { return (c >= 7 && c <= 13) || c == ' '; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  auto count = static_cast<uint32_t>(size);
  marlune::crypto::Base64Codec codec;

  // Any text decodes: 3 bytes per 4 characters that are not white space, and
  // 1 to 3 for a last short group; the buffer stays NUL-terminated after them.
  codec.DecodeBytes(text, count);
  uint32_t characters = 0;
  for (size_t i = 0; i < size; ++i) characters += IsSpace(text[i]) ? 0 : 1;
  FUZZ_CHECK(codec.GetEncodedLength() == characters);
  FUZZ_CHECK(codec.GetDecodedLength() == characters / 4 * 3 + characters % 4);
  FUZZ_CHECK(codec.GetDecoded()[codec.GetDecodedLength()] == 0);

  // The same codec, its buffers reused: any bytes encode to 4 alphabet
  // characters per started group of three and decode back to themselves.
  codec.EncodeBytes(data, count);
  uint32_t length = codec.GetEncodedLength();
  FUZZ_CHECK(length == (count + 2) / 3 * 4);
  const char* encoded = codec.GetEncoded();
  FUZZ_CHECK(encoded[length] == '\0');
  for (uint32_t i = 0; i < length; ++i) {
    FUZZ_CHECK(std::strchr(kAlphabet, encoded[i]) != nullptr || (encoded[i] == '=' && i + 2 >= length));
  }
  std::string copy(encoded, length);
  codec.DecodeBytes(copy.data(), length);
  // A padded last group decodes to three bytes, the pad ones zero.
  uint32_t padded = (3 - count % 3) % 3;
  FUZZ_CHECK(codec.GetDecodedLength() == count + padded);
  FUZZ_CHECK(size == 0 || std::memcmp(codec.GetDecoded(), data, size) == 0);
  for (uint32_t i = count; i < count + padded; ++i) FUZZ_CHECK(codec.GetDecoded()[i] == 0);
  return 0;
}
