// The prefix folder: the machine's Windows view (registry database, drive C:,
// small configuration files). $MARLUNE_PREFIX, else $XDG_DATA_HOME/marlune,
// else ~/.local/share/marlune. Created on first use with
// drive_c/windows/system32.
#pragma once

#include <string>

namespace winapi::posix {

// The prefix folder as an absolute POSIX path without a trailing slash,
// created (with drive_c/windows/system32) when it does not exist yet.
// Read from the environment on every call, so a test may point it elsewhere.
std::string prefix_dir();

// The prefix as configured, before it is made absolute and created: cheap,
// for callers that keep something per prefix and only need to see a change.
std::string prefix_setting();

// prefix_dir() + "/drive_c".
std::string drive_c_dir();

}  // namespace winapi::posix
