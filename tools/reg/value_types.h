// Value types by their REG_ names, and a value's data as a listing shows it.
#pragma once

#include <optional>
#include <string>

#include <winapi/winreg.h>

#include "registry_key.h"

namespace reg_tool {

// REG_SZ for 1 and so on; a type without a name shows as its number (0x20).
std::string TypeName(DWORD type);
// The type a name (any case) stands for, among those `reg add` writes.
std::optional<DWORD> AddableType(const std::string& name);

// Strings as text (a multi-string's items joined by \0), 32- and 64-bit
// numbers as 0x hexadecimal, anything else as hexadecimal bytes.
std::string DisplayData(const Value& value);

// The little-endian number in `data` when it has exactly `size` bytes.
std::optional<unsigned long long> LittleEndian(const std::string& data, size_t size);
// The `size` low bytes of `number`, little-endian, as a value's data.
std::string LittleEndianBytes(unsigned long long number, size_t size);

}  // namespace reg_tool
