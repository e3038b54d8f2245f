// Resources a module declares in its own sources. A declaration at namespace
// scope of the module,
//   const winapi::posix::ResourceDeclaration kKey("MYRES", 117, bytes, size);
// makes FindResourceA(module, MAKEINTRESOURCEA(117), "MYRES") find it, the
// module being the one holding `bytes`.
#pragma once

#include <cstddef>
#include <cstdint>

namespace winapi::posix {

class ResourceDeclaration {
 public:
  ResourceDeclaration(const char* type, uint16_t id, const void* bytes, size_t size);
  ~ResourceDeclaration();
  ResourceDeclaration(const ResourceDeclaration&) = delete;
  ResourceDeclaration& operator=(const ResourceDeclaration&) = delete;
};

}  // namespace winapi::posix
