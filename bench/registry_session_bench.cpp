// registry_session_bench: 10,000 FRGetRegValue and 10,000 FRSetRegValue
// calls of marlune.fll through the test host, on a key the session holds
// open, against the same reads and writes done directly on SQLite in the
// same run: a database of the same settings as the registry store (WAL,
// synchronous=NORMAL), one value table with a unique index on key and name,
// prepared statements, a SELECT per read and a BEGIN IMMEDIATE ... COMMIT
// around each write. The ratios are the library's calls per second over the
// direct statements' (below 1: the library is slower).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "ratio_report.h"
#include "tests/support/test_host.h"

namespace {

constexpr int kCalls = 10000;
const std::string kText = "C:\\Program Files\\Marlune\\settings.ini";

// The reference: the value rows of one key, read and written with prepared
// statements.
class DirectStore {
 public:
  explicit DirectStore(const std::string& path) {
    Check(sqlite3_open(path.c_str(), &db_));
    Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    Exec("CREATE TABLE IF NOT EXISTS vals(id INTEGER PRIMARY KEY, key INTEGER NOT NULL, "
         "name TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL);"
         "CREATE UNIQUE INDEX IF NOT EXISTS vals_by_name ON vals(key, name);");
    Prepare("SELECT type, data FROM vals WHERE key = ?1 AND name = ?2", &select_);
    Prepare("INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
            "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data",
            &upsert_);
    Prepare("BEGIN IMMEDIATE", &begin_);
    Prepare("COMMIT", &commit_);
  }
  ~DirectStore() {
    for (sqlite3_stmt* statement : {select_, upsert_, begin_, commit_}) sqlite3_finalize(statement);
    sqlite3_close(db_);
  }

  // The value's data as text; "" when there is none.
  std::string Read(const std::string& name) {
    sqlite3_bind_int64(select_, 1, kKey);
    sqlite3_bind_text(select_, 2, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    std::string text;
    if (sqlite3_step(select_) == SQLITE_ROW) {
      const char* data = static_cast<const char*>(sqlite3_column_blob(select_, 1));
      text.assign(data, ::strnlen(data, static_cast<size_t>(sqlite3_column_bytes(select_, 1))));
    }
    sqlite3_reset(select_);
    return text;
  }

  // A REG_SZ value: the text and its NUL.
  bool Write(const std::string& name, const std::string& text) {
    Step(begin_);
    sqlite3_bind_int64(upsert_, 1, kKey);
    sqlite3_bind_text(upsert_, 2, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    sqlite3_bind_int(upsert_, 3, 1);
    sqlite3_bind_blob(upsert_, 4, text.c_str(), static_cast<int>(text.size() + 1), SQLITE_STATIC);
    bool written = Step(upsert_);
    return Step(commit_) && written;
  }

 private:
  static constexpr sqlite3_int64 kKey = 7;

  static void Check(int result) {
    if (result != SQLITE_OK) throw std::runtime_error(sqlite3_errstr(result));
  }
  void Exec(const char* sql) { Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr)); }
  void Prepare(const char* sql, sqlite3_stmt** statement) {
    Check(sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, statement, nullptr));
  }
  static bool Step(sqlite3_stmt* statement) {
    bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_reset(statement);
    return done;
  }

  sqlite3* db_ = nullptr;
  sqlite3_stmt* select_ = nullptr;
  sqlite3_stmt* upsert_ = nullptr;
  sqlite3_stmt* begin_ = nullptr;
  sqlite3_stmt* commit_ = nullptr;
};

std::filesystem::path FreshFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "registry_bench.XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  return pattern;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  using foxhost::FoxValue;
  foxhost::testing::TestHost host(MARLUNE_FLL);  // with a fresh registry of its own
  host.Call("FRSetRegPath", {FoxValue::Character("Software\\Marlune\\Bench")});
  host.Call("FRSetRegValue", {FoxValue::Character("Setting"), FoxValue::Character(kText)});

  const std::filesystem::path folder = FreshFolder();
  {
    DirectStore direct((folder / "direct.db").string());
    direct.Write("Setting", kText);

    benchmark::RegisterBenchmark("BM_LibraryRead", [&](benchmark::State& state) {
      const std::vector<foxhost::Argument> arguments = {FoxValue::Character("Setting"), FoxValue::Character("")};
      for (auto _ : state) {
        for (int i = 0; i < kCalls; ++i) {
          if (host.Call("FRGetRegValue", arguments).text.size() != kText.size()) {
            state.SkipWithError("FRGetRegValue lost the value");
            return;
          }
        }
      }
      state.SetItemsProcessed(state.iterations() * kCalls);
    })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

    benchmark::RegisterBenchmark("BM_DirectRead", [&](benchmark::State& state) {
      for (auto _ : state) {
        for (int i = 0; i < kCalls; ++i) {
          if (direct.Read("Setting").size() != kText.size()) {
            state.SkipWithError("the direct read lost the value");
            return;
          }
        }
      }
      state.SetItemsProcessed(state.iterations() * kCalls);
    })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

    benchmark::RegisterBenchmark("BM_LibraryWrite", [&](benchmark::State& state) {
      for (auto _ : state) {
        for (int i = 0; i < kCalls; ++i) {
          FoxValue failed = host.Call("FRSetRegValue", {FoxValue::Character("Counter"),
                                                        FoxValue::Character(kText + std::to_string(i))});
          if (failed.logical) {
            state.SkipWithError("FRSetRegValue failed");
            return;
          }
        }
      }
      state.SetItemsProcessed(state.iterations() * kCalls);
    })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);

    benchmark::RegisterBenchmark("BM_DirectWrite", [&](benchmark::State& state) {
      for (auto _ : state) {
        for (int i = 0; i < kCalls; ++i) {
          if (!direct.Write("Counter", kText + std::to_string(i))) {
            state.SkipWithError("the direct write failed");
            return;
          }
        }
      }
      state.SetItemsProcessed(state.iterations() * kCalls);
    })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);

    bench::RatioReporter reporter;
    reporter.AddPair("FRGetRegValue / direct SQLite SELECT, 10,000 reads", "BM_LibraryRead", "BM_DirectRead");
    reporter.AddPair("FRSetRegValue / direct SQLite upsert in a transaction, 10,000 writes", "BM_LibraryWrite",
                     "BM_DirectWrite");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
