// MD5File on a 256 MiB file against the plain way of doing the same job:
// read() into a buffer and hash each piece with OpenSSL. Both sides find the
// file in the page cache.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <md5lib.h>
#include <openssl/evp.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "md5_bench_sizes.h"

namespace {

namespace fs = std::filesystem;

// Puts a freshly written file in the page cache the way reading it puts it
// there: its written pages are dropped and it is read once from disk. (The
// write path leaves the file cached in smaller units than readahead brings
// in, and a view of those costs much more to set up on virtual machines;
// measuring on them would say more about how the file came to be than about
// MD5File.)
void CacheAsRead(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) std::abort();
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  std::vector<char> buffer(1 << 20);
  while (::read(fd, buffer.data(), buffer.size()) > 0) {
  }
  ::close(fd);
}

// The benchmark's file, in a temporary folder that also serves as the
// Windows API stand-in's prefix; removed at exit.
class BenchFile {
 public:
  BenchFile() {
    std::string pattern = (fs::temp_directory_path() / "md5_bench_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    setenv("MARLUNE_PREFIX", (folder_ / "prefix").c_str(), 1);
    path_ = (folder_ / "data.bin").string();

    std::vector<unsigned char> piece(1 << 20);
    std::ofstream out(path_, std::ios::binary);
    for (long written = 0; written < md5bench::kFileSize; written += piece.size()) {
      for (std::size_t i = 0; i < piece.size(); ++i) {
        piece[i] = static_cast<unsigned char>((written + i) * 2654435761u >> 13);
      }
      out.write(reinterpret_cast<const char*>(piece.data()), piece.size());
    }
    out.close();
    CacheAsRead(path_);
  }
  ~BenchFile() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  fs::path folder_;
  std::string path_;
};

const std::string& FilePath() {
  static BenchFile file;
  return file.path();
}

void BM_MD5File(benchmark::State& state) {
  const std::string& path = FilePath();
  for (auto _ : state) {
    char* digest = MD5File(path.c_str());
    if (digest == nullptr) {
      state.SkipWithError("MD5File returned null");
      break;
    }
    benchmark::DoNotOptimize(digest);
    std::free(digest);
  }
  state.SetBytesProcessed(state.iterations() * md5bench::kFileSize);
}

void BM_ReadAndOpenSSL(benchmark::State& state) {
  const std::string& path = FilePath();
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  std::vector<unsigned char> buffer(1 << 20);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
      state.SkipWithError("cannot open the file");
      break;
    }
    EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr);
    ssize_t got;
    while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) {
      EVP_DigestUpdate(ctx.get(), buffer.data(), static_cast<std::size_t>(got));
    }
    EVP_DigestFinal_ex(ctx.get(), digest, &size);
    ::close(fd);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(state.iterations() * md5bench::kFileSize);
}

BENCHMARK(BM_MD5File)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_ReadAndOpenSSL)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);

}  // namespace
