// Values crossing the host interface: a host value as the library receives
// it, and a library's value as the host keeps it.
#pragma once

#include "foxhost/runtime/fox_value.h"
#include "foxhost/runtime/handle_heap.h"
#include "marlune/host/lck.h"

namespace foxhost {

// `handle` holds a character value's bytes (ignored for other types).
Value ToLckValue(const FoxValue& value, MHANDLE handle);

// False when the value's type is not one the host knows.
bool FromLckValue(const Value& value, HandleHeap& heap, FoxValue* out);

}  // namespace foxhost
