#include "foxhost/runtime/fox_error.h"

namespace foxhost {

std::string ErrorText(int number) {
  switch (number) {
    case kErrorFileNotFound: return "File does not exist.";
    case kErrorDataTypeMismatch: return "Data type mismatch.";
    case kErrorSyntax: return "Syntax error.";
    case kErrorInvalidArgument: return "Function argument value, type, or count is invalid.";
    case kErrorVariableNotFound: return "Variable is not found.";
    case kErrorInvalidSubscript: return "Subscript is outside the array's range.";
    case kErrorNoMemory: return "Not enough memory to complete this operation.";
    default: return "Error " + std::to_string(number) + ".";
  }
}

FoxError::FoxError(int number) : std::runtime_error(ErrorText(number)), number_(number) {}

FoxError::FoxError(int number, const std::string& detail)
    : std::runtime_error(ErrorText(number) + " " + detail), number_(number) {}

}  // namespace foxhost
