// The members of CMD5. The block work is done by md5::Compress; the step
// members below (F to II, rotate_left) are the textbook forms, kept because
// the class exports them and they must give the same values.
#include <digest/cmd5.h>

#include <cstring>

#include "md5_compress.h"

namespace {

// The pad block: a single 1 bit, then zeros.
const unsigned char kPadding[64] = {0x80};

}  // namespace

CMD5::CMD5() { Init(); }

CMD5& CMD5::operator=(const CMD5& other) {
  std::memmove(state, other.state, sizeof state);
  std::memmove(count, other.count, sizeof count);
  std::memmove(buffer, other.buffer, sizeof buffer);
  std::memmove(digest, other.digest, sizeof digest);
  return *this;
}

void CMD5::Init() {
  count[0] = 0;
  count[1] = 0;
  state[0] = 0x67452301;
  state[1] = 0xefcdab89;
  state[2] = 0x98badcfe;
  state[3] = 0x10325476;
}

void CMD5::Update(unsigned char* input, unsigned int length) {
  unsigned int index = (count[0] >> 3) & 63;

  const unsigned int bits = length << 3;
  count[0] += bits;
  if (count[0] < bits) ++count[1];
  count[1] += length >> 29;

  const unsigned int part = 64 - index;
  unsigned int i = 0;
  if (length >= part) {
    std::memcpy(&buffer[index], input, part);
    Transform(buffer);
    const unsigned int blocks = (length - part) / 64;
    md5::Compress(state, input + part, blocks);
    i = part + blocks * 64;
    index = 0;
  }
  if (length > i) std::memcpy(&buffer[index], &input[i], length - i);
}

void CMD5::Finalize() {
  unsigned char bits[8];
  Encode(bits, count, 8);

  const unsigned int index = (count[0] >> 3) & 63;
  const unsigned int pad = index < 56 ? 56 - index : 120 - index;
  Update(const_cast<unsigned char*>(kPadding), pad);
  Update(bits, 8);

  Encode(digest, state, 16);

  std::memset(state, 0, sizeof state);
  std::memset(count, 0, sizeof count);
  std::memset(buffer, 0, sizeof buffer);
}

unsigned char* CMD5::Digest() { return digest; }

void CMD5::Transform(unsigned char* block) { md5::Compress(state, block, 1); }

void CMD5::Encode(unsigned char* output, unsigned int* input, unsigned int length) {
  for (unsigned int i = 0, j = 0; j < length; ++i, j += 4) {
    output[j] = static_cast<unsigned char>(input[i]);
    output[j + 1] = static_cast<unsigned char>(input[i] >> 8);
    output[j + 2] = static_cast<unsigned char>(input[i] >> 16);
    output[j + 3] = static_cast<unsigned char>(input[i] >> 24);
  }
}

void CMD5::Decode(unsigned int* output, unsigned char* input, unsigned int length) {
  for (unsigned int i = 0, j = 0; j < length; ++i, j += 4) {
    output[i] = static_cast<unsigned int>(input[j]) | static_cast<unsigned int>(input[j + 1]) << 8 |
                static_cast<unsigned int>(input[j + 2]) << 16 |
                static_cast<unsigned int>(input[j + 3]) << 24;
  }
}

unsigned int CMD5::F(unsigned int x, unsigned int y, unsigned int z) { return (x & y) | (~x & z); }

unsigned int CMD5::G(unsigned int x, unsigned int y, unsigned int z) { return (x & z) | (y & ~z); }

unsigned int CMD5::H(unsigned int x, unsigned int y, unsigned int z) { return x ^ y ^ z; }

unsigned int CMD5::I(unsigned int x, unsigned int y, unsigned int z) { return y ^ (x | ~z); }

void CMD5::FF(unsigned int& a, unsigned int b, unsigned int c, unsigned int d, unsigned int x,
              unsigned int s, unsigned int ac) {
  a = b + rotate_left(a + F(b, c, d) + x + ac, s);
}

void CMD5::GG(unsigned int& a, unsigned int b, unsigned int c, unsigned int d, unsigned int x,
              unsigned int s, unsigned int ac) {
  a = b + rotate_left(a + G(b, c, d) + x + ac, s);
}

void CMD5::HH(unsigned int& a, unsigned int b, unsigned int c, unsigned int d, unsigned int x,
              unsigned int s, unsigned int ac) {
  a = b + rotate_left(a + H(b, c, d) + x + ac, s);
}

void CMD5::II(unsigned int& a, unsigned int b, unsigned int c, unsigned int d, unsigned int x,
              unsigned int s, unsigned int ac) {
  a = b + rotate_left(a + I(b, c, d) + x + ac, s);
}

unsigned int CMD5::rotate_left(unsigned int x, unsigned int n) {
  n &= 31;
  return (x << n) | (x >> ((32 - n) & 31));
}
