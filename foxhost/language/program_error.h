// A FoxPro error with the place it happened: the program file, the routine
// and the line. Uncaught, it is reported as "file(line): Error N: message".
#pragma once

#include <string>

#include "foxhost/runtime/fox_error.h"
#include "foxhost/runtime/fox_value.h"

namespace foxhost::language {

class ProgramError : public FoxError {
 public:
  // `message` is the whole text shown ("Syntax error. ...").
  ProgramError(int number, std::string message, int line, std::string procedure = {},
               std::string file = {})
      : FoxError(number), message_(std::move(message)), line_(line),
        procedure_(std::move(procedure)), file_(std::move(file)) {}

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& message() const { return message_; }
  int line() const { return line_; }
  const std::string& procedure() const { return procedure_; }
  const std::string& file() const { return file_; }

  // THROW's value, for the exception object's UserValue.
  bool has_user_value() const { return has_user_value_; }
  const FoxValue& user_value() const { return user_value_; }
  void set_user_value(FoxValue value) {
    user_value_ = std::move(value);
    has_user_value_ = true;
  }

 private:
  std::string message_;
  int line_;
  std::string procedure_;
  std::string file_;
  FoxValue user_value_;
  bool has_user_value_ = false;
};

// A syntax error: "what expected (to close X at line N)" style messages.
inline ProgramError SyntaxError(const std::string& message, int line) {
  return ProgramError(kErrorSyntax, ErrorText(kErrorSyntax) + " " + message, line);
}

}  // namespace foxhost::language
