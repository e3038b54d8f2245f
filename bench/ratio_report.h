// A benchmark reporter that prints the usual console table and then, for each
// registered pair of benchmarks, one line
//
//   ratio <name>: X.XX
//
// where X.XX is the throughput of the subject divided by the throughput of
// the reference in the same run (above 1: the subject is faster). Throughput
// is the bytes_per_second counter when the benchmark sets one, otherwise
// iterations per second of wall time. With repetitions the median counts.
//
// Benchmarks are named by function and arguments only ("BM_Hash/1024"), so
// options such as repetitions or real time do not change the name of a pair.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <iomanip>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // The library applies --benchmark_color only to its own reporter, so this
  // one colours its table when standard output is a terminal.
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  // `subject` and `reference`: function name, then "/" and arguments if any.
  void AddPair(std::string name, std::string subject, std::string reference) {
    pairs_.push_back({std::move(name), std::move(subject), std::move(reference)});
  }

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        throughputs_[Key(run)].push_back(Throughput(run));
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    for (const Pair& pair : pairs_) {
      const double subject = Median(pair.subject), reference = Median(pair.reference);
      out << "ratio " << pair.name << ": ";
      if (subject > 0 && reference > 0) {
        out << std::fixed << std::setprecision(2) << subject / reference << "\n";
      } else {
        out << "not measured\n";
      }
    }
    out.flush();
  }

 private:
  struct Pair {
    std::string name, subject, reference;
  };

  static std::string Key(const Run& run) {
    const std::string& args = run.run_name.args;
    return run.run_name.function_name + (args.empty() ? "" : "/" + args);
  }

  static double Throughput(const Run& run) {
    auto bytes = run.counters.find("bytes_per_second");
    if (bytes != run.counters.end()) return bytes->second.value;
    const double seconds = run.real_accumulated_time;
    return seconds > 0 ? static_cast<double>(run.iterations) / seconds : 0;
  }

  double Median(const std::string& name) const {
    auto found = throughputs_.find(name);
    if (found == throughputs_.end() || found->second.empty()) return 0;
    std::vector<double> values = found->second;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  }

  std::vector<Pair> pairs_;
  std::map<std::string, std::vector<double>> throughputs_;
};

}  // namespace bench
