// Get32Md5 and Get32Md5FileChecksum through the host, and the digest texts
// the ciphers use as key material.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "marlune/crypto/md5_text.h"
#include "tests/marlune/crypto/crypto_fixture.h"
#include "tests/support/openssl_md5.h"

namespace foxhost {
namespace {

namespace fs = std::filesystem;

class Md5Test : public CryptoTest {
 protected:
  Md5Test() { folder = fs::temp_directory_path() / ("md5_test_" + std::to_string(getpid())); }
  ~Md5Test() override { fs::remove_all(folder); }

  // Writes the bytes to a file of the test's folder and answers its path.
  std::string File(const std::string& name, const std::string& bytes) {
    fs::create_directories(folder);
    fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  fs::path folder;
};

TEST_F(Md5Test, Get32Md5DigestsEveryByteOfTheValue) {
  EXPECT_EQ(host.Call("Get32Md5", {C("")}), C("d41d8cd98f00b204e9800998ecf8427e"));
  EXPECT_EQ(host.Call("Get32Md5", {C("abc")}), C("900150983cd24fb0d6963f7d28e17f72"));
  std::string with_nul("ab\0c\0", 5);
  EXPECT_EQ(host.Call("Get32Md5", {C(with_nul)}), C(oracle::Md5Hex(with_nul.data(), with_nul.size())));
  std::mt19937 random(7);
  std::string large = RandomBytes(random, 100000);
  EXPECT_EQ(host.Call("Get32Md5", {C(large)}), C(oracle::Md5Hex(large.data(), large.size())));
}

TEST_F(Md5Test, FileChecksumDigestsTheWholeFile) {
  std::mt19937 random(11);
  for (size_t size : {size_t{0}, size_t{1}, size_t{1023}, size_t{1024}, size_t{2048}, size_t{5000}}) {
    std::string bytes = RandomBytes(random, size);
    std::string path = File("data.bin", bytes);
    EXPECT_EQ(host.Call("Get32Md5FileChecksum", {C(path)}), C(oracle::Md5Hex(bytes.data(), bytes.size()))) << size;
  }
}

TEST_F(Md5Test, FileChecksumTakesWindowsPathsAndAnswersEmptyWhenItCannotRead) {
  std::string path = File("Data.BIN", "abc");
  // A Z: path in upper case with backslashes names the same file.
  fs::path upper = folder / "DATA.bin";
  std::string windows_upper = "Z:" + upper.string();
  for (char& c : windows_upper) c = c == '/' ? '\\' : c;
  EXPECT_EQ(host.Call("Get32Md5FileChecksum", {C(windows_upper)}), C("900150983cd24fb0d6963f7d28e17f72"));

  EXPECT_EQ(host.Call("Get32Md5FileChecksum", {C("")}), C(""));
  EXPECT_EQ(host.Call("Get32Md5FileChecksum", {C((folder / "missing.bin").string())}), C(""));
  // A folder opens but every read fails: no digest of what was never read.
  EXPECT_EQ(host.Call("Get32Md5FileChecksum", {C(folder.string())}), C(""));
  if (geteuid() != 0) {
    chmod(path.c_str(), 0);
    EXPECT_EQ(host.Call("Get32Md5FileChecksum", {C(path)}), C(""));
  }
}

TEST(Md5Text, SwappedTextExchangesEachPair) {
  char text[marlune::crypto::kMd5TextSize];
  marlune::crypto::SwappedMd5Text(text, "", 0);
  EXPECT_STREQ(text, "4dd1c89df8002b409e089089ce8f24e7");
  marlune::crypto::SwappedMd5Text(text, "abc", 3);
  EXPECT_STREQ(text, "09100589c32df40b6d69f3d7821ef727");
  marlune::crypto::Md5TextOfBuffer(nullptr, "abc", 3);  // does nothing
}

}  // namespace
}  // namespace foxhost
