// CMD5 as a stream digest: agreement with OpenSSL however the input is cut,
// and what Finalize leaves behind.
#include <digest/cmd5.h>
#include <digest/digest_text.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cmd5_inspector.h"
#include "openssl_md5.h"

namespace {

std::vector<unsigned char> RandomBytes(std::mt19937& rng, std::size_t size) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<unsigned char> bytes(size);
  for (auto& b : bytes) b = static_cast<unsigned char>(byte(rng));
  return bytes;
}

std::string Finish(CMD5& md5) {
  md5.Finalize();
  return md5::DigestText(md5.Digest());
}

// Feeds `data` in the given pieces (the last piece takes what is left).
std::string DigestInPieces(std::vector<unsigned char>& data, const std::vector<unsigned>& pieces) {
  CMD5 md5;
  unsigned offset = 0;
  for (unsigned piece : pieces) {
    md5.Update(data.data() + offset, piece);
    offset += piece;
  }
  md5.Update(data.data() + offset, static_cast<unsigned>(data.size()) - offset);
  return Finish(md5);
}

// Lengths around the pad boundary (56) and the block boundary (64), one and
// two blocks in, and a length of many blocks.
TEST(CMD5, AgreesWithOpensslAtPadAndBlockBoundaries) {
  std::mt19937 rng(1321);
  for (std::size_t size : {0u, 1u, 55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 128u, 1000u}) {
    auto data = RandomBytes(rng, size);
    EXPECT_EQ(DigestInPieces(data, {}), oracle::Md5Hex(data.data(), size)) << "size " << size;
  }
}

TEST(CMD5, AgreesWithOpensslForRandomLengthsInRandomPieces) {
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<unsigned> length(0, 3000);
  for (int trial = 0; trial < 200; ++trial) {
    auto data = RandomBytes(rng, length(rng));
    std::vector<unsigned> pieces;
    unsigned left = static_cast<unsigned>(data.size());
    while (left > 0) {
      unsigned piece = std::uniform_int_distribution<unsigned>(0, std::min(left, 200u))(rng);
      pieces.push_back(piece);
      left -= piece;
    }
    EXPECT_EQ(DigestInPieces(data, pieces), oracle::Md5Hex(data.data(), data.size()))
        << "trial " << trial << ", " << data.size() << " bytes in " << pieces.size() << " pieces";
  }
}

TEST(CMD5, SplitAcrossBufferAndBlocksEqualsOneUpdate) {
  std::mt19937 rng(7);
  auto data = RandomBytes(rng, 200);
  EXPECT_EQ(DigestInPieces(data, {1, 62, 1, 64, 72}), DigestInPieces(data, {}));
}

TEST(CMD5, BitCountCarriesIntoHighWord) {
  CMD5 md5;
  unsigned int* count = CMD5Inspector::Count(md5);
  count[0] = 0xFFFFFE00;  // a whole number of blocks, 64 bytes short of 2^32 bits
  unsigned char block[64] = {};
  md5.Update(block, 64);
  EXPECT_EQ(count[0], 0u);
  EXPECT_EQ(count[1], 1u);
}

TEST(CMD5, FinalizeClearsWorkingStateAndKeepsDigest) {
  CMD5 md5;
  unsigned char abc[] = {'a', 'b', 'c'};
  md5.Update(abc, 3);
  md5.Finalize();

  unsigned char* digest = md5.Digest();
  EXPECT_EQ(digest, md5.Digest()) << "Digest() hands out the object's own field";
  EXPECT_EQ(md5::DigestText(digest), "900150983cd24fb0d6963f7d28e17f72");
  const unsigned char zeros[64] = {};
  EXPECT_EQ(std::memcmp(CMD5Inspector::State(md5), zeros, 16), 0);
  EXPECT_EQ(std::memcmp(CMD5Inspector::Count(md5), zeros, 8), 0);
  EXPECT_EQ(std::memcmp(CMD5Inspector::Buffer(md5), zeros, 64), 0);
}

TEST(CMD5, SecondFinalizeCompressesPadFromZeroStateUntilInit) {
  CMD5 md5;
  unsigned char abc[] = {'a', 'b', 'c'};
  md5.Update(abc, 3);
  md5.Finalize();
  EXPECT_EQ(Finish(md5), "b0e641c998cc3eae6fa2f8726d98cddd");

  md5.Init();
  md5.Update(abc, 3);
  EXPECT_EQ(Finish(md5), "900150983cd24fb0d6963f7d28e17f72");
  md5.Init();
  EXPECT_EQ(Finish(md5), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(CMD5, AssignmentCopiesAStreamInProgress) {
  std::mt19937 rng(3);
  auto data = RandomBytes(rng, 150);
  CMD5 original;
  original.Update(data.data(), 100);  // one block done, 36 bytes waiting

  CMD5 copy;
  copy = original;
  original.Update(data.data() + 100, 50);
  copy.Update(data.data() + 100, 50);
  const std::string expected = oracle::Md5Hex(data.data(), data.size());
  EXPECT_EQ(Finish(original), expected);
  EXPECT_EQ(Finish(copy), expected);

  CMD5 finished;
  finished = copy;
  EXPECT_EQ(md5::DigestText(finished.Digest()), expected) << "the digest field is copied too";
}

}  // namespace
