// How stand-in functions report failure: every failure path sets the thread's
// last-error to the code a Windows caller would see, through these helpers.
#pragma once

#include <winapi/windef.h>

namespace winapi::posix {

// The one errno-to-Windows table. `fallback` is the operation's own code for
// an errno the table does not know (or for errno 0).
DWORD win_error_from_errno(int err, DWORD fallback);

// Sets last-error to `code` and returns `result`, so a failure path reads
// `return fail_with(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);`.
template <typename T>
T fail_with(DWORD code, T result);

// The same for a saved errno: save errno right at the failing call, then let
// cleanup run, then report it.
template <typename T>
T fail_with_errno(int saved_errno, DWORD fallback, T result);

void set_last_error(DWORD code);

template <typename T>
T fail_with(DWORD code, T result) {
  set_last_error(code);
  return result;
}

template <typename T>
T fail_with_errno(int saved_errno, DWORD fallback, T result) {
  set_last_error(win_error_from_errno(saved_errno, fallback));
  return result;
}

}  // namespace winapi::posix
