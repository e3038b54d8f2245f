#include <winapi/windows.h>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "file_fixture.h"

namespace {

class ShareModeTest : public FileTest {};

TEST_F(ShareModeTest, SecondOpenIsCheckedAgainstTheFirst) {
  const std::string path = make("shared.txt", "abc");
  struct Row {
    DWORD first_access, first_share, second_access, second_share;
    bool second_opens;
  };
  const DWORD R = GENERIC_READ, W = GENERIC_WRITE, D = DELETE;
  const DWORD SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE, SD = FILE_SHARE_DELETE;
  const Row rows[] = {
      {R, SR, R, SR, true},
      {R, SR, W, SR | SW, false},       // the first denies writing
      {W, SR | SW, R, SR, false},       // the second denies the first's writing (write-only first)
      {W, SR | SW, R, SR | SW, true},
      {R, 0, R, SR, false},             // exclusive
      {R | W, SR | SW, R | W, SR | SW, true},
      {R, SR, D, SR, false},            // deleting is denied unless shared
      {R, SR | SD, D, SR, true},
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

TEST_F(ShareModeTest, RefusedTruncatingOpenLeavesTheContent) {
  const std::string path = make("keep.txt", "precious");
  HANDLE reader = open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(GetFileSize(reader, nullptr), 8u);
  CloseHandle(reader);
}

TEST_F(ShareModeTest, OpensInAnotherProcessCount) {
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
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
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

}  // namespace
