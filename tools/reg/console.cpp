#include "console.h"

#include <cstdio>
#include <iostream>

#include <winapi/winbase.h>
#include <winapi/winerror.h>

#include "ascii.h"

namespace reg_tool {

int Fail(std::string_view message) {
  fprintf(stderr, "ERROR: %.*s\n", static_cast<int>(message.size()), message.data());
  return kFailure;
}

int FailSyntax(std::string_view message) {
  Fail(message);
  fprintf(stderr, "Run \"reg /?\" for the usage.\n");
  return kFailure;
}

std::string StatusText(LSTATUS status) {
  if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND)
    return "The registry key or value does not exist.";
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                static_cast<DWORD>(status), 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) --length;
  if (length == 0) return "The registry answered error " + std::to_string(status) + ".";
  return std::string(text, length);
}

int FailStatus(LSTATUS status) { return Fail(StatusText(status)); }

int Done() {
  printf("The operation completed.\n");
  return kSuccess;
}

bool Confirm(const std::string& question) {
  printf("%s (Yes/No)? ", question.c_str());
  fflush(stdout);
  std::string answer;
  if (!std::getline(std::cin, answer)) {
    printf("\n");
    return false;
  }
  while (!answer.empty() && (answer.back() == '\r' || answer.back() == ' ')) answer.pop_back();
  answer = AsciiLower(answer);
  return answer == "y" || answer == "yes";
}

int Cancelled() { return Fail("Cancelled; nothing was changed."); }

}  // namespace reg_tool
