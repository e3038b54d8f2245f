// foxhost_call_bench: the host's call path into a library. A FoxPro loop
// calls GetFllInfo(0) of marlune.fll a million times; the same loop calling
// the built-in LEN is the reference. The ratio below 1 is what a library
// call costs over a built-in one, parameter block and result included.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "foxhost/language/interpreter.h"
#include "ratio_report.h"

namespace {

constexpr int kCalls = 1000000;

std::string Loop(const std::string& call) {
  return "FOR i = 1 TO " + std::to_string(kCalls) + "\n  x = " + call + "\nENDFOR\n";
}

void RunLoop(benchmark::State& state, foxhost::language::Interpreter& interpreter,
             const std::string& program) {
  for (auto _ : state) {
    if (interpreter.RunSource(program, "bench.prg", std::cerr) != 0) {
      state.SkipWithError("the FoxPro loop failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * kCalls);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  std::ostringstream shown;
  foxhost::language::Host host = foxhost::language::MakeHost(shown);
  if (host.interpreter->RunSource("SET LIBRARY TO \"" MARLUNE_FLL "\"", "load.prg", std::cerr) != 0)
    return 1;

  const std::string library_loop = Loop("GetFllInfo(0)");
  const std::string builtin_loop = Loop("LEN('1.01.0222')");
  benchmark::RegisterBenchmark("BM_GetFllInfoLoop", [&](benchmark::State& state) {
    RunLoop(state, *host.interpreter, library_loop);
  })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
  benchmark::RegisterBenchmark("BM_LenLoop", [&](benchmark::State& state) {
    RunLoop(state, *host.interpreter, builtin_loop);
  })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);

  bench::RatioReporter reporter;
  reporter.AddPair("GetFllInfo(0)/LEN, 1e6 calls from a FoxPro loop", "BM_GetFllInfoLoop",
                   "BM_LenLoop");
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
