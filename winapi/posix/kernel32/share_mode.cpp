#include "posix/kernel32/share_mode.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <utility>

#include <winapi/fileapi.h>

namespace winapi::posix {
namespace {

// Marker bytes: what an open does, then what it denies others.
enum Marker : off_t { has_read, has_write, has_delete, denies_read, denies_write, denies_delete };
constexpr off_t kMarkerBase = 0x7FFFFFFF00000000;

struct Intent {
  bool read, write, del;
};

Intent wants(DWORD access) {
  constexpr DWORD kRead = GENERIC_READ | GENERIC_ALL | GENERIC_EXECUTE | FILE_READ_DATA;
  constexpr DWORD kWrite = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA;
  return {(access & kRead) != 0, (access & kWrite) != 0, (access & (DELETE | GENERIC_ALL)) != 0};
}

Intent denies(DWORD share) {
  return {!(share & FILE_SHARE_READ), !(share & FILE_SHARE_WRITE), !(share & FILE_SHARE_DELETE)};
}

struct flock marker_lock(short type, Marker marker) {
  struct flock lock{};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = kMarkerBase + marker;
  lock.l_len = 1;
  return lock;
}

// True when another open holds `marker`; -1 when the locks are unsupported.
int held_elsewhere(int fd, Marker marker) {
  struct flock probe = marker_lock(F_WRLCK, marker);
  if (fcntl(fd, F_OFD_GETLK, &probe) != 0) return -1;
  return probe.l_type != F_UNLCK;
}

bool take(int fd, Marker marker) {
  struct flock lock = marker_lock(F_RDLCK, marker);
  return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

ShareResult check_and_take(int fd, Intent does, Intent denied) {
  // What this open does must not be denied by another; what it denies must
  // not be done by another.
  const std::pair<bool, Marker> checks[] = {
      {does.read, denies_read},   {does.write, denies_write}, {does.del, denies_delete},
      {denied.read, has_read},    {denied.write, has_write},  {denied.del, has_delete}};
  for (auto [applies, marker] : checks) {
    if (!applies) continue;
    int held = held_elsewhere(fd, marker);
    if (held < 0) return ShareResult::unsupported;
    if (held) return ShareResult::violation;
  }
  const std::pair<bool, Marker> mine[] = {
      {does.read, has_read},       {does.write, has_write},       {does.del, has_delete},
      {denied.read, denies_read},  {denied.write, denies_write},  {denied.del, denies_delete}};
  for (auto [applies, marker] : mine)
    if (applies && !take(fd, marker)) return ShareResult::unsupported;
  return ShareResult::granted;
}

}  // namespace

ShareResult acquire_share(int lock_fd, DWORD access, DWORD share) {
  // An open that neither reads, writes nor deletes takes no part in sharing.
  const Intent does = wants(access);
  if (!does.read && !does.write && !does.del) return ShareResult::granted;
  // The check and the taking must not interleave with another open's.
  while (flock(lock_fd, LOCK_EX) != 0)
    if (errno != EINTR) return ShareResult::unsupported;
  ShareResult result = check_and_take(lock_fd, does, denies(share));
  flock(lock_fd, LOCK_UN);
  return result;
}

}  // namespace winapi::posix
