// The application tag: the host expression `_screen.tag`. The library keeps
// no copy; it asks the host each time it needs the tag.
#pragma once

#include <optional>
#include <string>

namespace marlune::host {

// The tag's text (up to its first NUL) when it holds a non-empty text; none
// when it is empty or holds a value of another type.
std::optional<std::string> ApplicationTag();

}  // namespace marlune::host
