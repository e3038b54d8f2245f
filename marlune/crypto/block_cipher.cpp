#include "marlune/crypto/block_cipher.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <numeric>
#include <vector>

#include "marlune/crypto/cipher_constants.h"
#include "marlune/crypto/md5_text.h"

namespace marlune::crypto {
namespace {

inline unsigned char RotateLeft(unsigned char b, int n) {
  return static_cast<unsigned char>((b << n) | (b >> (8 - n)));
}

// Odd positions forward: rotate 7 then flip; even positions: rotate 1 then flip.
void TransformOddBytes(unsigned char* bytes, size_t count, bool forward) {
  for (size_t i = 1; i < count; i += 2) {
    bytes[i] = forward ? RotateLeft(bytes[i], 7) ^ 0x0F : RotateLeft(bytes[i] ^ 0x0F, 1);
  }
}

void TransformEvenBytes(unsigned char* bytes, size_t count, bool forward) {
  for (size_t i = 0; i < count; i += 2) {
    bytes[i] = forward ? RotateLeft(bytes[i], 1) ^ 0x0F : RotateLeft(bytes[i] ^ 0x0F, 7);
  }
}

// output = data XOR the cycled key, a word at a time where it can.
void XorCopyCycle(unsigned char* output, const unsigned char* data, size_t count,
                  const unsigned char* key, size_t key_length) {
  if (key_length == 0) return;
  for (size_t done = 0; done < count;) {
    size_t run = std::min(count - done, key_length);
    size_t j = 0;
    for (; j + 8 <= run; j += 8) {
      uint64_t word, key_word;
      memcpy(&word, data + done + j, 8);
      memcpy(&key_word, key + j, 8);
      word ^= key_word;
      memcpy(output + done + j, &word, 8);
    }
    for (; j < run; ++j) output[done + j] = data[done + j] ^ key[j];
    done += run;
  }
}

// output = data XOR the cycled payload key XOR the cycled key stream, in one
// pass over the data: the two keys are first merged into one key as long as
// their common period (or the data, when that is shorter).
void XorCopyWithBothKeys(unsigned char* output, const unsigned char* data, size_t count,
                         const unsigned char (&payload_key)[kPayloadKeyLength], KeyStream stream) {
  size_t common = stream.length == 0 ? kPayloadKeyLength : std::lcm(kPayloadKeyLength, stream.length);
  size_t period = std::min(count, common);
  std::vector<unsigned char> merged(period, 0);
  XorCycle(merged.data(), period, payload_key, kPayloadKeyLength);
  XorCycle(merged.data(), period, stream.bytes, stream.length);
  XorCopyCycle(output, data, count, merged.data(), period);
}

void PutWord(unsigned char* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

void ScrambleBytes(unsigned char* bytes, size_t count) {
  TransformOddBytes(bytes, count, true);
  TransformEvenBytes(bytes, count, true);
}

void UnscrambleBytes(unsigned char* bytes, size_t count) {
  TransformOddBytes(bytes, count, false);
  TransformEvenBytes(bytes, count, false);
}

void XorCycle(unsigned char* data, size_t count, const unsigned char* key, size_t key_length) {
  // Whole key-length runs, so no remainder per byte.
  if (key_length == 0) return;
  size_t done = 0;
  while (done < count) {
    size_t run = count - done < key_length ? count - done : key_length;
    for (size_t j = 0; j < run; ++j) data[done + j] ^= key[j];
    done += run;
  }
}

void BlockEncrypt(unsigned char* data, size_t count, unsigned char* key, size_t key_length) {
  ScrambleBytes(data, count);
  ScrambleBytes(key, key_length);
  XorCycle(data, count, key, key_length);
}

void BlockDecrypt(unsigned char* data, size_t count, unsigned char* key, size_t key_length) {
  ScrambleBytes(key, key_length);
  XorCycle(data, count, key, key_length);
  UnscrambleBytes(data, count);
}

void SubstituteKey(unsigned char* key, size_t length) {
  constexpr uint32_t kAlphabetSize = sizeof kSubstitutionAlphabet - 1;
  for (size_t i = 0; i < length; ++i) {
    uint32_t sum = static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(key[i])) +
                                         static_cast<int32_t>(i));
    key[i] = static_cast<unsigned char>(kSubstitutionAlphabet[sum % kAlphabetSize]);
  }
  for (size_t i = 0, j = length; i + 1 < j; ++i, --j) std::swap(key[i], key[j - 1]);
  for (size_t i = 0; i < length; ++i) {
    uint32_t difference = static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(key[i])) -
                                                static_cast<int32_t>(i));
    key[i] = static_cast<unsigned char>(kSubstitutionAlphabet[difference % kAlphabetSize]);
  }
}

void BuildBatchKey(unsigned char (&key)[kBatchKeyLength + 1]) {
  memcpy(key, kBatchSeed, kBatchKeyLength);
  key[kBatchKeyLength] = 0;
  SubstituteKey(key, kBatchKeyLength);
}

void BuildCheckRecord(unsigned char (&record)[kCheckRecordSize], uint32_t length, const char* key) {
  // "Velko.dll V1.0 by Dorvaine." put together a piece at a time.
  char signature[28];
  char* s = signature;
  for (const char* piece : {"Vel", "ko.", "dll", " V1", ".0 ", "by ", "Dor", "vai", "ne."}) {
    for (const char* c = piece; *c != '\0'; ++c) *s++ = *c;
  }
  *s = '\0';
  memset(record, 0, sizeof record);
  PutWord(record, 1);
  PutWord(record + 4, 1);
  SwappedMd5Text(reinterpret_cast<char*>(record + 8), signature, 27);
  PutWord(record + 44, length);
  Md5TextOfBuffer(reinterpret_cast<char*>(record + 48), key, static_cast<uint32_t>(strlen(key)));

  char swapped[kMd5TextSize];
  SwappedMd5Text(swapped, key, static_cast<uint32_t>(strlen(key)));
  BlockEncrypt(record, kCheckRecordSize, reinterpret_cast<unsigned char*>(swapped), 32);
  char digest[kMd5TextSize];
  Md5TextOfBuffer(digest, record, kCheckRecordSize);
  XorCycle(record, kCheckRecordSize, reinterpret_cast<const unsigned char*>(digest), 32);
}

void DeriveBufferKey(unsigned char (&payload_key)[kPayloadKeyLength],
                     const unsigned char (&record)[kCheckRecordSize], const char* key) {
  unsigned char work[kCheckRecordSize];
  memcpy(work, record, kCheckRecordSize);
  std::string scrambled(key);
  auto* key_bytes = reinterpret_cast<unsigned char*>(scrambled.data());
  BlockEncrypt(work, kCheckRecordSize, key_bytes, scrambled.size());
  char digest[kMd5TextSize];
  // Scrambling may have made a zero byte; the digest stops there.
  Md5TextOfBuffer(digest, key_bytes, static_cast<uint32_t>(strlen(scrambled.c_str())));
  XorCycle(work, kCheckRecordSize, reinterpret_cast<const unsigned char*>(digest), 32);
  char swapped[kMd5TextSize];
  SwappedMd5Text(swapped, work, kCheckRecordSize);
  memcpy(payload_key, swapped, kPayloadKeyLength);
}

int EncryptBuffer(unsigned char* output, const unsigned char* data, size_t count, const char* key,
                  KeyStream stream) {
  if (count == 0 || data == nullptr || key == nullptr || *key == '\0') return 0;
  unsigned char record[kCheckRecordSize];
  BuildCheckRecord(record, static_cast<uint32_t>(count), key);
  unsigned char payload_key[kPayloadKeyLength];
  DeriveBufferKey(payload_key, record, key);
  XorCopyWithBothKeys(output, data, count, payload_key, stream);
  XorCycle(record, kCheckRecordSize, payload_key, kPayloadKeyLength);
  memcpy(output + count, record, kCheckRecordSize);
  return 1;
}

int DecryptBuffer(unsigned char* output, const unsigned char* data, size_t count, const char* key,
                  KeyStream stream) {
  if (count <= kCheckRecordSize || data == nullptr || key == nullptr || *key == '\0') return 0;
  size_t length = count - kCheckRecordSize;
  unsigned char record[kCheckRecordSize];
  BuildCheckRecord(record, static_cast<uint32_t>(length), key);
  unsigned char payload_key[kPayloadKeyLength];
  DeriveBufferKey(payload_key, record, key);
  unsigned char trailer[kCheckRecordSize];
  memcpy(trailer, data + length, kCheckRecordSize);
  XorCycle(trailer, kCheckRecordSize, payload_key, kPayloadKeyLength);
  if (memcmp(trailer, record, kCheckRecordSize) != 0) return -1;
  XorCopyWithBothKeys(output, data, length, payload_key, stream);
  return 1;
}

}  // namespace marlune::crypto
