// CMD5 (as libmd5lib exports it) against OpenSSL's MD5 on in-memory inputs: one whole digest (start,
// feed, finish) per iteration, on both sides.
#include <benchmark/benchmark.h>
#include <md5lib.h>
#include <openssl/evp.h>

#include <memory>
#include <vector>

#include "md5_bench_sizes.h"

namespace {

std::vector<unsigned char> Input(benchmark::State& state) {
  std::vector<unsigned char> data(static_cast<std::size_t>(state.range(0)));
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 131 + 7);
  return data;
}

void BM_CMD5(benchmark::State& state) {
  std::vector<unsigned char> data = Input(state);
  CMD5 md5;
  for (auto _ : state) {
    md5.Init();
    md5.Update(data.data(), static_cast<unsigned int>(data.size()));
    md5.Finalize();
    benchmark::DoNotOptimize(md5.Digest());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_OpenSSL(benchmark::State& state) {
  std::vector<unsigned char> data = Input(state);
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  const EVP_MD* md5 = EVP_md5();
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  for (auto _ : state) {
    EVP_DigestInit_ex(ctx.get(), md5, nullptr);
    EVP_DigestUpdate(ctx.get(), data.data(), data.size());
    EVP_DigestFinal_ex(ctx.get(), digest, &size);
    benchmark::DoNotOptimize(digest);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (const auto& size : md5bench::kUpdateSizes) b->Arg(size.bytes);
}

BENCHMARK(BM_CMD5)->Apply(Sizes);
BENCHMARK(BM_OpenSSL)->Apply(Sizes);

}  // namespace
