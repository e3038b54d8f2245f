// The private building blocks CMD5 exports: the round functions, the
// rotation, the step members and the byte-order helpers.
#include <digest/cmd5.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "cmd5_inspector.h"

namespace {

// Every bit position of these three words holds one of the eight (x, y, z)
// combinations, so a function's result is its whole truth table.
constexpr unsigned kX = 0xF0F0F0F0, kY = 0xCCCCCCCC, kZ = 0xAAAAAAAA;

TEST(CMD5Members, RoundFunctionsHaveTheirTruthTables) {
  CMD5 m;
  EXPECT_EQ(CMD5Inspector::F(m, kX, kY, kZ), 0xCACACACAu) << "x ? y : z";
  EXPECT_EQ(CMD5Inspector::G(m, kX, kY, kZ), 0xE4E4E4E4u) << "z ? x : y";
  EXPECT_EQ(CMD5Inspector::H(m, kX, kY, kZ), 0x96969696u) << "parity";
  EXPECT_EQ(CMD5Inspector::I(m, kX, kY, kZ), 0x39393939u) << "y ^ (x | ~z)";
}

TEST(CMD5Members, RotateLeftTakesTheCountModulo32) {
  struct Row {
    unsigned x, n, expected;
  };
  const Row rows[] = {
      {0x80000001, 1, 0x00000003},  {0x12345678, 0, 0x12345678},
      {0x12345678, 32, 0x12345678}, {0x12345678, 4, 0x23456781},
      {0x12345678, 36, 0x23456781}, {0x12345678, 31, 0x091A2B3C},
      {0x00000001, 0xFFFFFFFF, 0x80000000},
  };
  CMD5 m;
  for (const Row& row : rows) {
    EXPECT_EQ(CMD5Inspector::RotateLeft(m, row.x, row.n), row.expected)
        << std::hex << "x=" << row.x << " n=" << row.n;
  }
}

TEST(CMD5Members, EncodeAndDecodeAreLittleEndianAndStopAtLength) {
  CMD5 m;
  unsigned int words[2] = {0x04030201, 0x08070605};
  unsigned char bytes[12];

  std::memset(bytes, 0xEE, sizeof bytes);
  CMD5Inspector::Encode(m, bytes, words, 0);
  for (unsigned char b : bytes) EXPECT_EQ(b, 0xEE) << "length 0 writes nothing";

  CMD5Inspector::Encode(m, bytes, words, 8);
  const unsigned char expected[12] = {1, 2, 3, 4, 5, 6, 7, 8, 0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_EQ(std::memcmp(bytes, expected, sizeof bytes), 0);

  unsigned int decoded[3] = {0xDEADBEEF, 0xDEADBEEF, 0xDEADBEEF};
  CMD5Inspector::Decode(m, decoded, bytes, 0);
  EXPECT_EQ(decoded[0], 0xDEADBEEFu) << "length 0 writes nothing";
  CMD5Inspector::Decode(m, decoded, bytes, 4);
  EXPECT_EQ(decoded[0], 0x04030201u);
  EXPECT_EQ(decoded[1], 0xDEADBEEFu);
}

// The 64 steps done one by one with the step members, with the constants and
// message order derived from their definitions rather than copied.
void ReferenceTransform(CMD5& m, unsigned int state[4], unsigned char block[64]) {
  static const unsigned kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23},
                                        {6, 10, 15, 21}};
  unsigned int x[16];
  CMD5Inspector::Decode(m, x, block, 64);
  unsigned int v[4] = {state[0], state[1], state[2], state[3]};
  for (unsigned i = 0; i < 64; ++i) {
    const unsigned pass = i / 16, k = i % 16;
    const unsigned word[4] = {k, (1 + 5 * k) % 16, (5 + 3 * k) % 16, (7 * k) % 16};
    const auto constant = static_cast<unsigned>(std::floor(std::fabs(std::sin(i + 1.0)) * 4294967296.0));
    // Step i updates a, d, c, b in turn; the others follow in rotation.
    unsigned& a = v[(64 - i) % 4];
    const unsigned b = v[(65 - i) % 4], c = v[(66 - i) % 4], d = v[(67 - i) % 4];
    (m.*CMD5Inspector::kSteps[pass])(a, b, c, d, x[word[pass]], kShift[pass][i % 4], constant);
  }
  for (int j = 0; j < 4; ++j) state[j] += v[j];
}

TEST(CMD5Members, TransformEqualsTheSixtyFourSteps) {
  std::mt19937 rng(64);
  for (int trial = 0; trial < 20; ++trial) {
    unsigned char block[64];
    for (auto& b : block) b = static_cast<unsigned char>(rng());
    CMD5 fast, slow;
    unsigned int* state = CMD5Inspector::State(fast);
    for (int j = 0; j < 4; ++j) state[j] = static_cast<unsigned int>(rng());
    unsigned int expected[4];
    std::memcpy(expected, state, sizeof expected);

    CMD5Inspector::Transform(fast, block);
    ReferenceTransform(slow, expected, block);
    EXPECT_EQ(std::memcmp(state, expected, sizeof expected), 0) << "trial " << trial;
  }
}

}  // namespace
