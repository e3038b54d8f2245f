// C run-time string functions.
#include <cstdlib>
#include <cstring>

#include <winapi/msvcrt.h>

char* _strdup(const char* s) {
  if (!s) return nullptr;
  size_t size = std::strlen(s) + 1;
  auto* copy = static_cast<char*>(std::malloc(size));
  if (copy) std::memcpy(copy, s, size);
  return copy;
}
