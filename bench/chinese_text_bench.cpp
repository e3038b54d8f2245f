// chinese_text_bench: XTGb2312ToBig5 and XTBig5ToGb2312 of marlune.fll on a
// 10 MB GB2312 text, called through the test host, against the same work
// done with ICU directly in the same run (code page 936 to UTF-16,
// simplified to traditional, UTF-16 to code page 950, and back). The ratio
// is the library's throughput over ICU's. XTCnCharToSpell on the same text
// is reported in characters per second.
#include <benchmark/benchmark.h>
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <memory>
#include <string>
#include <vector>

#include "ratio_report.h"
#include "tests/support/test_host.h"

namespace {

constexpr size_t kTextBytes = 10 * 1024 * 1024;

// Every character of GB2312 level 1 in turn, with a blank and a comma every
// few characters, as running text has them.
std::string MakeText() {
  std::string text;
  text.reserve(kTextBytes + 16);
  size_t n = 0;
  while (text.size() < kTextBytes) {
    for (unsigned row = 0xB0; row <= 0xD7 && text.size() < kTextBytes; ++row) {
      for (unsigned cell = 0xA1; cell <= 0xFE && text.size() < kTextBytes; ++cell) {
        if (row == 0xD7 && cell >= 0xFA) break;
        text += static_cast<char>(row);
        text += static_cast<char>(cell);
        if (++n % 17 == 0) text += n % 34 == 0 ? ", " : " ";
      }
    }
  }
  return text;
}

size_t CountCharacters(const std::string& text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++count) i += static_cast<unsigned char>(text[i]) >= 0x7F ? 2 : 1;
  return count;
}

// The reference: ICU's converters and transliterators, opened once.
class IcuConversions {
 public:
  IcuConversions() {
    UErrorCode status = U_ZERO_ERROR;
    gbk_ = ucnv_open("windows-936-2000", &status);
    big5_ = ucnv_open("windows-950-2000", &status);
    to_traditional_.reset(icu::Transliterator::createInstance("Simplified-Traditional", UTRANS_FORWARD, status));
    to_simplified_.reset(icu::Transliterator::createInstance("Traditional-Simplified", UTRANS_FORWARD, status));
    ok_ = U_SUCCESS(status);
  }
  ~IcuConversions() {
    ucnv_close(gbk_);
    ucnv_close(big5_);
  }
  bool ok() const { return ok_; }

  std::string Convert(const std::string& text, UConverter* from, icu::Transliterator& mapping, UConverter* to) {
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString wide(text.data(), static_cast<int32_t>(text.size()), from, status);
    mapping.transliterate(wide);
    std::string out(static_cast<size_t>(wide.length()) * 2 + 1, '\0');
    int32_t n = wide.extract(out.data(), static_cast<int32_t>(out.size()), to, status);
    out.resize(static_cast<size_t>(n));
    return out;
  }
  std::string ToBig5(const std::string& gbk) { return Convert(gbk, gbk_, *to_traditional_, big5_); }
  std::string ToGbk(const std::string& big5) { return Convert(big5, big5_, *to_simplified_, gbk_); }

 private:
  UConverter* gbk_ = nullptr;
  UConverter* big5_ = nullptr;
  std::unique_ptr<icu::Transliterator> to_traditional_, to_simplified_;
  bool ok_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const std::string text = MakeText();
  const size_t characters = CountCharacters(text);
  foxhost::testing::TestHost host(MARLUNE_FLL);
  IcuConversions icu;
  if (!icu.ok()) return 1;

  benchmark::RegisterBenchmark("BM_LibraryGbBig5RoundTrip", [&](benchmark::State& state) {
    for (auto _ : state) {
      foxhost::FoxValue big5 = host.Call("XTGb2312ToBig5", {foxhost::FoxValue::Character(text)});
      foxhost::FoxValue back = host.Call("XTBig5ToGb2312", {big5});
      benchmark::DoNotOptimize(back.text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);

  benchmark::RegisterBenchmark("BM_IcuGbBig5RoundTrip", [&](benchmark::State& state) {
    for (auto _ : state) {
      std::string back = icu.ToGbk(icu.ToBig5(text));
      benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);

  benchmark::RegisterBenchmark("BM_LibraryCnCharToSpell", [&](benchmark::State& state) {
    for (auto _ : state) {
      foxhost::FoxValue initials = host.Call("XTCnCharToSpell", {foxhost::FoxValue::Character(text)});
      benchmark::DoNotOptimize(initials.text.data());
    }
    state.counters["chars_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations() * characters), benchmark::Counter::kIsRate);
  })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

  bench::RatioReporter reporter;
  reporter.AddPair("XTGb2312ToBig5 + XTBig5ToGb2312 / ICU directly, 10 MB", "BM_LibraryGbBig5RoundTrip",
                   "BM_IcuGbBig5RoundTrip");
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
