// What the tool says: results on standard output, "ERROR: ..." lines on
// standard error, and yes/no questions answered on standard input.
#pragma once

#include <string>
#include <string_view>

#include <winapi/winreg.h>

namespace reg_tool {

// Exit codes: every command answers one of these two.
constexpr int kSuccess = 0;
constexpr int kFailure = 1;

// Writes "ERROR: <message>" to standard error; answers kFailure.
int Fail(std::string_view message);
// Fail for a bad command line, pointing at the usage text.
int FailSyntax(std::string_view message);
// A registry status in words: a missing key or value plainly, any other code
// by the system's message text for it.
std::string StatusText(LSTATUS status);
// Fail(StatusText(status)).
int FailStatus(LSTATUS status);

// Prints "The operation completed." and answers kSuccess.
int Done();

// Asks `question` with "(Yes/No)" and reads one line of standard input: yes
// or y (any case) agrees; anything else, or the end of the input (a pipe or
// /dev/null), declines.
bool Confirm(const std::string& question);
// The failure a declined question ends in.
int Cancelled();

}  // namespace reg_tool
