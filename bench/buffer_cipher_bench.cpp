// buffer_cipher_bench: XTEncryptFileBuffer2 of marlune.fll encrypting and
// then decrypting 64 MiB through the test host, against a plain loop doing
// comparable work on the same bytes in the same run: each byte rotated and
// XORed with a cycled 32-byte key, forward and back. The ratio is the
// library's throughput over the loop's. A second ratio takes the host's
// copies of the 64 MiB values out: the cipher's own functions called directly.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "marlune/crypto/block_cipher.h"
#include "ratio_report.h"
#include "tests/support/test_host.h"

namespace {

constexpr size_t kDataBytes = 64 * 1024 * 1024;

// Rotate left 1 and XOR with the cycled key, one key-length run at a time.
void PlainForward(std::string& data, const unsigned char (&key)[32]) {
  auto* bytes = reinterpret_cast<unsigned char*>(data.data());
  for (size_t done = 0; done < data.size(); done += 32) {
    size_t run = data.size() - done < 32 ? data.size() - done : 32;
    for (size_t j = 0; j < run; ++j) {
      unsigned char b = bytes[done + j];
      bytes[done + j] = static_cast<unsigned char>(((b << 1) | (b >> 7)) ^ key[j]);
    }
  }
}

void PlainBack(std::string& data, const unsigned char (&key)[32]) {
  auto* bytes = reinterpret_cast<unsigned char*>(data.data());
  for (size_t done = 0; done < data.size(); done += 32) {
    size_t run = data.size() - done < 32 ? data.size() - done : 32;
    for (size_t j = 0; j < run; ++j) {
      unsigned char b = bytes[done + j] ^ key[j];
      bytes[done + j] = static_cast<unsigned char>((b >> 1) | (b << 7));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  std::string data(kDataBytes, '\0');
  std::mt19937 random(64);
  for (char& c : data) c = static_cast<char>(random() & 0xFF);
  unsigned char key[32];
  for (unsigned char& k : key) k = static_cast<unsigned char>(random() & 0xFF);
  foxhost::testing::TestHost host(MARLUNE_FLL);

  benchmark::RegisterBenchmark("BM_LibraryBufferRoundTrip", [&](benchmark::State& state) {
    for (auto _ : state) {
      // The arguments are built in place, as the host builds a call's
      // parameters from its variables: the values are not copied twice.
      std::vector<foxhost::Argument> encrypt_arguments;
      encrypt_arguments.emplace_back(foxhost::FoxValue::Character(data));
      encrypt_arguments.emplace_back(foxhost::FoxValue::Character("benchmark key"));
      encrypt_arguments.emplace_back(foxhost::FoxValue::Integer(1));
      foxhost::FoxValue encrypted = host.Call("XTEncryptFileBuffer2", std::move(encrypt_arguments));
      std::vector<foxhost::Argument> decrypt_arguments;
      decrypt_arguments.emplace_back(std::move(encrypted));
      decrypt_arguments.emplace_back(foxhost::FoxValue::Character("benchmark key"));
      decrypt_arguments.emplace_back(foxhost::FoxValue::Integer(0));
      foxhost::FoxValue back = host.Call("XTEncryptFileBuffer2", std::move(decrypt_arguments));
      if (back.text.size() != data.size()) state.SkipWithError("the round trip lost bytes");
      benchmark::DoNotOptimize(back.text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
  })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

  benchmark::RegisterBenchmark("BM_PlainRotateXorRoundTrip", [&](benchmark::State& state) {
    for (auto _ : state) {
      std::string work = data;  // the host hands the library a copy too
      PlainForward(work, key);
      PlainBack(work, key);
      benchmark::DoNotOptimize(work.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
  })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

  // The same cipher without the host: what the library itself spends.
  std::string stream_bytes(6886, '\0');
  for (char& c : stream_bytes) c = static_cast<char>(random() & 0xFF);
  benchmark::RegisterBenchmark("BM_CipherRoundTrip", [&](benchmark::State& state) {
    marlune::crypto::KeyStream stream{reinterpret_cast<const unsigned char*>(stream_bytes.data()),
                                      stream_bytes.size()};
    for (auto _ : state) {
      std::string encrypted(data.size() + marlune::crypto::kCheckRecordSize, '\0');
      marlune::crypto::EncryptBuffer(reinterpret_cast<unsigned char*>(encrypted.data()),
                                     reinterpret_cast<const unsigned char*>(data.data()), data.size(),
                                     "benchmark key", stream);
      std::string back(data.size(), '\0');
      int result = marlune::crypto::DecryptBuffer(reinterpret_cast<unsigned char*>(back.data()),
                                                  reinterpret_cast<const unsigned char*>(encrypted.data()),
                                                  encrypted.size(), "benchmark key", stream);
      if (result != 1) state.SkipWithError("the round trip failed");
      benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
  })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

  bench::RatioReporter reporter;
  reporter.AddPair("EncryptBuffer + DecryptBuffer without the host / plain loop, 64 MiB", "BM_CipherRoundTrip",
                   "BM_PlainRotateXorRoundTrip");
  reporter.AddPair("XTEncryptFileBuffer2 encrypt + decrypt / plain rotate-XOR loop, 64 MiB",
                   "BM_LibraryBufferRoundTrip", "BM_PlainRotateXorRoundTrip");
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
