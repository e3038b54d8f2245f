// Text crossing between this tool's UTF-8 (command line, console, .reg files)
// and the ANSI code page in which the registry calls take and give names and
// string data.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace reg_tool {

// UTF-8 text to the ANSI code page; nothing when a character has no
// equivalent there (the registry would get '?' in its place).
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

// ANSI bytes to UTF-8, only when converting back gives the same bytes again;
// nothing for bytes the code page does not define as text.
std::optional<std::string> AnsiToUtf8(std::string_view ansi);

// ANSI bytes to UTF-8 for display: what does not convert becomes a
// replacement character.
std::string AnsiToUtf8ForDisplay(std::string_view ansi);

}  // namespace reg_tool
