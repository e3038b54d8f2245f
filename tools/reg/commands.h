// The commands of reg; each takes the arguments after its name and answers
// the process's exit code.
#pragma once

#include <span>

namespace reg_tool {

int Query(std::span<char* const> arguments);
int Add(std::span<char* const> arguments);
int Delete(std::span<char* const> arguments);
int Export(std::span<char* const> arguments);
int Import(std::span<char* const> arguments);

}  // namespace reg_tool
