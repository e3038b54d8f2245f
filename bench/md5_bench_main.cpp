// md5_bench: the MD5 benchmarks, followed by the ratios against OpenSSL.
#include <benchmark/benchmark.h>

#include <string>

#include "md5_bench_sizes.h"
#include "ratio_report.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  bench::RatioReporter reporter;
  for (const auto& size : md5bench::kUpdateSizes) {
    const std::string arg = "/" + std::to_string(size.bytes);
    reporter.AddPair(std::string("CMD5/OpenSSL ") + size.label, "BM_CMD5" + arg,
                     "BM_OpenSSL" + arg);
  }
  reporter.AddPair(std::string("MD5File/read+OpenSSL ") + md5bench::kFileLabel,
                   "BM_MD5File", "BM_ReadAndOpenSSL");
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
