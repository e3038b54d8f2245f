// A FoxPro error: its number and the message the host shows.
#pragma once

#include <stdexcept>
#include <string>

namespace foxhost {

inline constexpr int kErrorFileNotFound = 1;        // also: an unknown function
inline constexpr int kErrorDataTypeMismatch = 9;
inline constexpr int kErrorSyntax = 10;
inline constexpr int kErrorInvalidArgument = 11;    // function argument value, type or count
inline constexpr int kErrorVariableNotFound = 12;
inline constexpr int kErrorInvalidSubscript = 31;
inline constexpr int kErrorNoMemory = 182;

// The host's own text for an error number.
std::string ErrorText(int number);

class FoxError : public std::runtime_error {
 public:
  explicit FoxError(int number);
  // The error's own text followed by what went wrong.
  FoxError(int number, const std::string& detail);

  int number() const { return number_; }

 private:
  int number_;
};

}  // namespace foxhost
