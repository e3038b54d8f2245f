// Modules of the process. An HMODULE is the module's load base, so a module
// can be found again from its handle (file name, resources).
#pragma once

#include <string>

#include <link.h>

#include <winapi/windef.h>

namespace winapi::posix {

// The module holding `address`, or NULL when no loaded module does.
HMODULE module_of_address(const void* address);

// The module of an object reported by dl_iterate_phdr.
HMODULE module_of_object(const dl_phdr_info* info);

// The executable's own module.
HMODULE executable_module();

// The absolute POSIX file of a loaded module (NULL: the executable), or an
// empty string when `module` is not the base of a loaded module.
std::string module_file(HMODULE module);

}  // namespace winapi::posix
