// The byte-block cipher: rotations, cycled XOR and digest texts, and the
// encrypted buffers and command batches built on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace marlune::crypto {

inline constexpr size_t kCheckRecordSize = 84;
inline constexpr size_t kBatchKeyLength = 125;
inline constexpr size_t kPayloadKeyLength = 32;

void ScrambleBytes(unsigned char* bytes, size_t count);
void UnscrambleBytes(unsigned char* bytes, size_t count);
// data[i] ^= key[i mod key_length]; key_length >= 1.
void XorCycle(unsigned char* data, size_t count, const unsigned char* key, size_t key_length);
// Both scramble the key in place.
void BlockEncrypt(unsigned char* data, size_t count, unsigned char* key, size_t key_length);
void BlockDecrypt(unsigned char* data, size_t count, unsigned char* key, size_t key_length);

// Maps each byte into the substitution alphabet (see cipher_constants.cpp).
void SubstituteKey(unsigned char* key, size_t length);
// The 125-character batch key and its NUL.
void BuildBatchKey(unsigned char (&key)[kBatchKeyLength + 1]);

// The masked check record of a payload of `length` bytes under `key` (up to its NUL).
void BuildCheckRecord(unsigned char (&record)[kCheckRecordSize], uint32_t length, const char* key);
// The 32-byte payload key from a masked check record.
void DeriveBufferKey(unsigned char (&payload_key)[kPayloadKeyLength],
                     const unsigned char (&record)[kCheckRecordSize], const char* key);

// The key stream XORed over every payload; it must hold at least one byte.
struct KeyStream {
  const unsigned char* bytes;
  size_t length;
};

// Writes count + 84 bytes; 0 when count is 0 or the key is null.
int EncryptBuffer(unsigned char* output, const unsigned char* data, size_t count, const char* key,
                  KeyStream stream);
// Writes count - 84 bytes; 0 when count <= 84, -1 when the trailer does not
// match this key and length.
int DecryptBuffer(unsigned char* output, const unsigned char* data, size_t count, const char* key,
                  KeyStream stream);

}  // namespace marlune::crypto
