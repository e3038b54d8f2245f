// Several processes on one registry database: writers at the same time, a
// writer killed in the middle, a reader seeing another process's changes.
// Children are forked from the test and answer through their exit status.
// Also threads of one process sharing its connection.
#include <winapi/windows.h>

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "registry_fixture.h"

namespace {

// Runs `body` in a child process that exits with its answer.
pid_t spawn(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  return pid;
}

// The child's exit status, or 128 + the signal that ended it.
int wait_for(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string numbered(const char* prefix, int i) { return prefix + std::to_string(i); }

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kEach = 1000;
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  // One writer uses the handle it inherited, the other opens the key itself.
  auto writer = [&](const char* prefix, bool inherited) {
    return [&, prefix, inherited] {
      close(go[1]);
      char start;
      if (read(go[0], &start, 1) != 1) return 10;
      HKEY key = key_;
      if (!inherited && RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Test", 0, KEY_WRITE, &key)) return 11;
      for (int i = 0; i < kEach; ++i) {
        std::string name = numbered(prefix, i);
        if (set(key, name.c_str(), REG_SZ, name) != ERROR_SUCCESS) return 12;
      }
      return 0;
    };
  };
  pid_t a = spawn(writer("a", true));
  pid_t b = spawn(writer("b", false));
  close(go[0]);
  ASSERT_EQ(write(go[1], "gg", 2), 2);
  close(go[1]);
  EXPECT_EQ(wait_for(a), 0);
  EXPECT_EQ(wait_for(b), 0);

  DWORD values = 0;
  ASSERT_EQ(RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 2u * kEach);
  int wrong = 0;
  for (const char* prefix : {"a", "b"})
    for (int i = 0; i < kEach; ++i) {
      std::string name = numbered(prefix, i);
      wrong += get(key_, name.c_str()) != name;
    }
  EXPECT_EQ(wrong, 0);
}

TEST_F(RegistryTest, AWriterKilledMidwayLosesNoReturnedWrite) {
  int reports[2];
  ASSERT_EQ(pipe(reports), 0);
  pid_t writer = spawn([&] {
    close(reports[0]);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Test", 0, KEY_WRITE, &key)) return 1;
    const std::string blob(2000, 'x');  // several pages per write, so a kill can land mid-write
    for (int i = 0;; ++i) {
      std::string name = numbered("v", i);
      if (set(key, name.c_str(), REG_BINARY, name + blob) != ERROR_SUCCESS) return 2;
      if (write(reports[1], &i, sizeof i) != sizeof i) return 3;
    }
  });
  close(reports[1]);
  std::vector<int> returned;
  int i;
  while (returned.size() < 300 && read(reports[0], &i, sizeof i) == sizeof i) returned.push_back(i);
  kill(writer, SIGKILL);
  while (read(reports[0], &i, sizeof i) == sizeof i) returned.push_back(i);
  close(reports[0]);
  ASSERT_EQ(wait_for(writer), 128 + SIGKILL);
  ASSERT_GE(returned.size(), 300u);

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(database().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  std::string check;
  sqlite3_exec(
      db, "PRAGMA integrity_check",
      [](void* out, int, char** row, char**) {
        *static_cast<std::string*>(out) += row[0] ? row[0] : "";
        return 0;
      },
      &check, nullptr);
  sqlite3_close(db);
  EXPECT_EQ(check, "ok");

  // A new process opens the database and finds every write that returned.
  pid_t reader = spawn([&] {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Test", 0, KEY_READ, &key)) return 1;
    for (int n : returned) {
      std::string name = numbered("v", n);
      if (get(key, name.c_str()) != name + std::string(2000, 'x')) return 2;
    }
    return 0;
  });
  EXPECT_EQ(wait_for(reader), 0);
}

TEST_F(RegistryTest, AnotherProcessesChangesShowThroughOpenHandles) {
  HKEY doomed;
  ASSERT_EQ(create(key_, "Doomed", &doomed), ERROR_SUCCESS);
  EXPECT_EQ(get(key_, "shared"), "<error 2>");
  pid_t other = spawn([] {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Test", 0, KEY_ALL_ACCESS, &key)) return 1;
    if (set(key, "shared", REG_SZ, "from the other process")) return 2;
    if (RegDeleteKeyA(key, "Doomed")) return 3;
    HKEY again;
    return RegCreateKeyExA(key, "Doomed", 0, nullptr, 0, KEY_READ, nullptr, &again, nullptr) ? 4 : 0;
  });
  ASSERT_EQ(wait_for(other), 0);
  EXPECT_EQ(get(key_, "shared"), "from the other process");
  EXPECT_EQ(set(doomed, "v", REG_SZ, "1"), ERROR_KEY_DELETED);
  HKEY again;
  EXPECT_EQ(open(key_, "doomed", &again), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ThreadsShareTheProcessConnection) {
  constexpr int kThreads = 4, kEach = 200;
  std::vector<std::thread> threads;
  std::vector<int> failures(kThreads);
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      const std::string prefix = "t" + std::to_string(t) + "_";
      for (int i = 0; i < kEach; ++i) {
        std::string name = numbered(prefix.c_str(), i);
        failures[t] += set(key_, name.c_str(), REG_SZ, name) != ERROR_SUCCESS;
        failures[t] += get(key_, name.c_str()) != name;
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
  EXPECT_EQ(value_names(key_).size(), static_cast<size_t>(kThreads * kEach));
}

}  // namespace
