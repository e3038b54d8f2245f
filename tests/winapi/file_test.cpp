#include <winapi/windows.h>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "prefix_fixture.h"
#include "posix/syscalls.h"

namespace {

constexpr DWORD kSentinel = 0xDEADBEEF;

class FileTest : public PrefixTest {
 protected:
  HANDLE open(const std::string& path, DWORD access, DWORD share, DWORD disposition,
              DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    SetLastError(kSentinel);
    return CreateFileA(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
  }
};

TEST_F(FileTest, OpenFailuresGiveTheWindowsCodes) {
  make("data/file.txt", "abc");
  make("data/folder/");
  const std::string t = root_.string();
  struct Row {
    std::string path;
    DWORD disposition;
    DWORD error;
  };
  const Row rows[] = {
      {t + "/data/missing.txt", OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
      {t + "/nowhere/missing.txt", OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {t + "/nowhere/new.txt", CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
      {t + "/data/file.txt/inner", OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {t + "/data/folder", OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {t + "/data/file.txt", CREATE_NEW, ERROR_FILE_EXISTS},
      {t + "/data/file.txt\\", OPEN_EXISTING, ERROR_INVALID_NAME},
      {"D:\\file.txt", OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {t + "/data/file.txt", 0, ERROR_INVALID_PARAMETER},
  };
  for (const Row& row : rows) {
    HANDLE h = open(row.path, GENERIC_READ, FILE_SHARE_READ, row.disposition);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << row.path;
    EXPECT_EQ(GetLastError(), row.error) << row.path;
  }
}

TEST_F(FileTest, DispositionsCreateTruncateAndReportExisting) {
  const std::string path = make("d/file.txt", "hello");
  struct Row {
    DWORD disposition;
    DWORD last_error;
    DWORD size_after;
  };
  const Row rows[] = {
      {OPEN_EXISTING, ERROR_SUCCESS, 5},
      {OPEN_ALWAYS, ERROR_ALREADY_EXISTS, 5},
      {TRUNCATE_EXISTING, ERROR_SUCCESS, 0},
      {CREATE_ALWAYS, ERROR_ALREADY_EXISTS, 0},
  };
  for (const Row& row : rows) {
    make("d/file.txt", "hello");
    HANDLE h = open(path, GENERIC_READ | GENERIC_WRITE, 0, row.disposition);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << row.disposition;
    EXPECT_EQ(GetLastError(), row.last_error) << row.disposition;
    EXPECT_EQ(GetFileSize(h, nullptr), row.size_after) << row.disposition;
    CloseHandle(h);
  }
  const std::string fresh = root_.string() + "/d/fresh.txt";
  HANDLE h = open(fresh, GENERIC_WRITE, 0, OPEN_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(h);
}

TEST_F(FileTest, ReadsAndSizes) {
  const std::string path = make("f.bin", "0123456789");
  HANDLE h = open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD high = kSentinel;
  EXPECT_EQ(GetFileSize(h, &high), 10u);
  EXPECT_EQ(high, 0u);

  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  DWORD got = kSentinel;
  ASSERT_TRUE(ReadFile(h, buffer, 4, &got, nullptr));
  EXPECT_EQ(got, 4u);
  ASSERT_TRUE(ReadFile(h, buffer + 4, 12, &got, nullptr));
  EXPECT_EQ(got, 6u) << "a read past the end returns what is left";
  EXPECT_EQ(std::string(buffer, 11), "0123456789#");
  ASSERT_TRUE(ReadFile(h, buffer, 4, &got, nullptr));
  EXPECT_EQ(got, 0u) << "at the end: success with nothing read";
  EXPECT_TRUE(CloseHandle(h));

  SetLastError(kSentinel);
  EXPECT_FALSE(ReadFile(h, buffer, 4, &got, nullptr)) << "closed handle";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetFileSize(h, nullptr), INVALID_FILE_SIZE);
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FileTest, ShareModesBetweenHandles) {
  const std::string path = make("shared.txt", "abc");
  struct Row {
    DWORD first_access, first_share, second_access, second_share;
    bool second_opens;
  };
  const DWORD R = GENERIC_READ, W = GENERIC_WRITE, SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE;
  const Row rows[] = {
      {R, SR, R, SR, true},
      {R, SR, W, SR | SW, false},       // the first denies writing
      {W, SR | SW, R, SR, false},       // the second denies the first's writing
      {W, SR | SW, R, SR | SW, true},
      {R, 0, R, SR, false},             // exclusive
      {R | W, SR | SW, R | W, SR | SW, true},
      {0, 0, R, 0, true},               // an attributes-only open takes no part
  };
  for (const Row& row : rows) {
    HANDLE first = open(path, row.first_access, row.first_share, OPEN_EXISTING);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    HANDLE second = open(path, row.second_access, row.second_share, OPEN_EXISTING);
    EXPECT_EQ(second != INVALID_HANDLE_VALUE, row.second_opens)
        << std::hex << row.first_access << "/" << row.first_share << " then " << row.second_access
        << "/" << row.second_share;
    if (second == INVALID_HANDLE_VALUE)
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    else
      CloseHandle(second);
    CloseHandle(first);
  }
  // Closing releases the share: an exclusive open now succeeds.
  HANDLE alone = open(path, R | W, 0, OPEN_EXISTING);
  EXPECT_NE(alone, INVALID_HANDLE_VALUE);
  CloseHandle(alone);
}

TEST_F(FileTest, TruncatingOpenRefusedBySharingLeavesTheContent) {
  const std::string path = make("keep.txt", "precious");
  HANDLE reader = open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(GetFileSize(reader, nullptr), 8u);
  CloseHandle(reader);
}

TEST_F(FileTest, ShareModesAcrossProcesses) {
  const std::string path = make("cross.txt", "abc");
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    char byte = h == INVALID_HANDLE_VALUE ? 'n' : 'y';
    (void)!write(ready[1], &byte, 1);
    (void)!read(done[0], &byte, 1);
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  ASSERT_EQ(byte, 'y');
  // The child writes and shares reading only: a writer here is refused, a reader that
  // shares writing is let in.
  EXPECT_EQ(open(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE)
      << "a reader that does not share writing conflicts with the writer";
  HANDLE reader = open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  CloseHandle(reader);
  (void)!write(done[1], "x", 1);
  int status = 0;
  waitpid(child, &status, 0);
  // The child's handle died with it.
  HANDLE writer = open(path, GENERIC_WRITE, 0, OPEN_EXISTING);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE);
  CloseHandle(writer);
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

TEST_F(FileTest, MappingsAndViews) {
  const std::string empty = make("empty.bin");
  HANDLE h = open(empty, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  SetLastError(kSentinel);
  EXPECT_EQ(CreateFileMappingA(h, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_INVALID)) << "an empty file cannot be mapped";
  CloseHandle(h);

  const std::string content(200000, 'q');
  const std::string full = make("full.bin", content);
  h = open(full, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  HANDLE mapping = CreateFileMappingA(h, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  SetLastError(kSentinel);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 4096, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MAPPED_ALIGNMENT));
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << "writing a read-only mapping";

  auto* whole = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
  auto* tail = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 65536, 0));
  ASSERT_NE(whole, nullptr);
  ASSERT_NE(tail, nullptr);
  // Views outlive the handles they came from.
  CloseHandle(mapping);
  CloseHandle(h);
  EXPECT_EQ(std::string(whole, content.size()), content);
  EXPECT_EQ(std::string(tail, content.size() - 65536), content.substr(65536));
  EXPECT_TRUE(UnmapViewOfFile(whole));
  EXPECT_TRUE(UnmapViewOfFile(tail));
  SetLastError(kSentinel);
  EXPECT_FALSE(UnmapViewOfFile(whole)) << "second unmap";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));
}

// System call failures reach the caller as the Windows code for the same failure.
TEST_F(FileTest, SystemCallFailuresBecomeWindowsCodes) {
  const std::string path = make("io.bin", "abc");
  auto& calls = winapi::posix::syscalls();
  struct Row {
    int err;
    DWORD open_error;
    DWORD read_error;
  };
  const Row rows[] = {
      {EIO, ERROR_GEN_FAILURE, ERROR_GEN_FAILURE},
      {EACCES, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED},
      {EMFILE, ERROR_TOO_MANY_OPEN_FILES, ERROR_TOO_MANY_OPEN_FILES},
      {ENOSPC, ERROR_DISK_FULL, ERROR_DISK_FULL},
  };
  static int injected = 0;
  for (const Row& row : rows) {
    injected = row.err;
    calls.open = [](const char*, int, mode_t) { errno = injected; return -1; };
    EXPECT_EQ(open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), row.open_error) << "errno " << row.err;
    calls.open = winapi::posix::real_syscalls().open;

    HANDLE h = open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    calls.read = [](int, void*, size_t) -> ssize_t { errno = injected; return -1; };
    char buffer[4];
    DWORD got = kSentinel;
    SetLastError(kSentinel);
    EXPECT_FALSE(ReadFile(h, buffer, 3, &got, nullptr));
    EXPECT_EQ(GetLastError(), row.read_error) << "errno " << row.err;
    EXPECT_EQ(got, 0u);
    calls.read = winapi::posix::real_syscalls().read;
    CloseHandle(h);
  }
}

TEST_F(FileTest, StrdupCopies) {
  const char* original = "text";
  char* copy = _strdup(original);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, original);
  EXPECT_STREQ(copy, original);
  free(copy);
  EXPECT_EQ(_strdup(nullptr), nullptr);
}

}  // namespace
