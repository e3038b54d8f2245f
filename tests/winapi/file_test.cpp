#include <winapi/windows.h>

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "file_fixture.h"
#include "posix/syscalls.h"

namespace {

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
      {t + "/data/missing.txt", TRUNCATE_EXISTING, ERROR_INVALID_PARAMETER},  // needs write access
      {t + "/nowhere/missing.txt", OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {t + "/nowhere/new.txt", CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
      {t + "/data/file.txt/inner", OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {t + "/data/folder", OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {t + "/data/file.txt", CREATE_NEW, ERROR_FILE_EXISTS},
      {t + "/data/folder", CREATE_NEW, ERROR_FILE_EXISTS},
      {t + "/data/file.txt\\", OPEN_EXISTING, ERROR_INVALID_NAME},
      {t + "/data/*.txt", OPEN_EXISTING, ERROR_INVALID_NAME},  // a search finds it, an open refuses
      {"D:\\file.txt", OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {"\\\\server\\share\\file.txt", OPEN_EXISTING, ERROR_BAD_NETPATH},
      {t + "/data/file.txt", 0, ERROR_INVALID_PARAMETER},
  };
  for (const Row& row : rows) {
    HANDLE h = open(row.path, GENERIC_READ, FILE_SHARE_READ, row.disposition);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << row.path << " disposition " << row.disposition;
    EXPECT_EQ(GetLastError(), row.error) << row.path << " disposition " << row.disposition;
  }
  HANDLE folder = open(t + "/data/folder", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS);
  EXPECT_NE(folder, INVALID_HANDLE_VALUE) << "a folder opens with backup semantics";
  CloseHandle(folder);
}

TEST_F(FileTest, DispositionsOnExistingAndMissingFiles) {
  const std::string path = make("d/") + "/file.txt";
  struct Row {
    DWORD disposition;
    bool exists;
    bool opens;
    DWORD last_error;
    DWORD size_after;  // of the file on disk; 0xFFFFFFFF: it is not there
  };
  constexpr DWORD kAbsent = 0xFFFFFFFF;
  const Row rows[] = {
      {CREATE_NEW, false, true, ERROR_SUCCESS, 0},
      {CREATE_NEW, true, false, ERROR_FILE_EXISTS, 5},
      {CREATE_ALWAYS, false, true, ERROR_SUCCESS, 0},
      {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, 0},
      {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, kAbsent},
      {OPEN_EXISTING, true, true, ERROR_SUCCESS, 5},
      {OPEN_ALWAYS, false, true, ERROR_SUCCESS, 0},
      {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, 5},
      {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, kAbsent},
      {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, 0},
  };
  for (const Row& row : rows) {
    const std::string where = "disposition " + std::to_string(row.disposition) +
                              (row.exists ? " on an existing file" : " on a missing file");
    unlink(path.c_str());
    if (row.exists) make("d/file.txt", "hello");
    HANDLE h = open(path, GENERIC_READ | GENERIC_WRITE, 0, row.disposition);
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, row.opens) << where;
    EXPECT_EQ(GetLastError(), row.last_error) << where;
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    struct stat st;
    const DWORD size = stat(path.c_str(), &st) == 0 ? static_cast<DWORD>(st.st_size) : kAbsent;
    EXPECT_EQ(size, row.size_after) << where;
  }
}

TEST_F(FileTest, ReadsAndSizes) {
  const std::string path = make("f.bin", "0123456789");
  HANDLE h = open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD high = kSentinel;
  SetLastError(kSentinel);
  EXPECT_EQ(GetFileSize(h, &high), 10u);
  EXPECT_EQ(high, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR)) << "success is told by last-error";

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

  OVERLAPPED overlapped{};
  SetLastError(kSentinel);
  EXPECT_FALSE(ReadFile(h, buffer, 4, &got, &overlapped)) << "reads are synchronous only";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(CloseHandle(h));

  SetLastError(kSentinel);
  EXPECT_FALSE(ReadFile(h, buffer, 4, &got, nullptr)) << "closed handle";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  high = kSentinel;
  EXPECT_EQ(GetFileSize(h, &high), INVALID_FILE_SIZE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(high, kSentinel) << "the high part is left alone on failure";
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FileTest, SizeOfFourGibibytesAndMoreComesInTwoParts) {
  const std::string path = make("sparse.bin");
  ASSERT_EQ(truncate(path.c_str(), (off_t{5} << 32) + 7), 0);  // sparse: no disk space taken
  HANDLE h = open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD high = kSentinel;
  EXPECT_EQ(GetFileSize(h, &high), 7u);
  EXPECT_EQ(high, 5u);
  CloseHandle(h);
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
  SetLastError(kSentinel);
  EXPECT_EQ(CreateFileMappingA(h, nullptr, PAGE_READWRITE, 0, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << "a writable mapping of a reader";
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

TEST_F(FileTest, WritableViewChangesTheFile) {
  const std::string path = make("rw.bin", "abcdef");
  HANDLE h = open(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
  HANDLE mapping = CreateFileMappingA(h, nullptr, PAGE_READWRITE, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  auto* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  view[0] = 'X';
  EXPECT_TRUE(UnmapViewOfFile(view));
  CloseHandle(mapping);
  char buffer[6];
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &got, nullptr));
  EXPECT_EQ(std::string(buffer, got), "Xbcdef");
  CloseHandle(h);
}

// System call failures reach the caller as the Windows code for the same failure.
TEST_F(FileTest, SystemCallFailuresBecomeWindowsCodes) {
  const std::string path = make("io.bin", "abc");
  auto& calls = winapi::posix::syscalls();
  struct Row {
    int err;
    DWORD error;
  };
  const Row rows[] = {
      {EIO, ERROR_GEN_FAILURE},
      {EACCES, ERROR_ACCESS_DENIED},
      {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
      {ENOSPC, ERROR_DISK_FULL},
      {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
  };
  static int injected = 0;
  for (const Row& row : rows) {
    injected = row.err;
    calls.open = [](const char*, int, mode_t) { errno = injected; return -1; };
    EXPECT_EQ(open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), row.error) << "open, errno " << row.err;
    calls.open = winapi::posix::real_syscalls().open;

    HANDLE h = open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    calls.read = [](int, void*, size_t) -> ssize_t { errno = injected; return -1; };
    char buffer[4];
    DWORD got = kSentinel;
    SetLastError(kSentinel);
    EXPECT_FALSE(ReadFile(h, buffer, 3, &got, nullptr));
    EXPECT_EQ(GetLastError(), row.error) << "read, errno " << row.err;
    EXPECT_EQ(got, 0u);
    calls.read = winapi::posix::real_syscalls().read;

    HANDLE mapping = CreateFileMappingA(h, nullptr, PAGE_READONLY, 0, 0, nullptr);
    calls.mmap = [](void*, size_t, int, int, int, off_t) -> void* { errno = injected; return MAP_FAILED; };
    SetLastError(kSentinel);
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), row.error) << "mmap, errno " << row.err;
    calls.mmap = winapi::posix::real_syscalls().mmap;
    CloseHandle(mapping);
    CloseHandle(h);
  }
}

}  // namespace
