#include "foxhost/runtime/lck_values.h"

namespace foxhost {

Value ToLckValue(const FoxValue& value, MHANDLE handle) {
  Value out{};
  out.ev_type = value.type;
  switch (value.type) {
    case 'C':
      out.ev_length = static_cast<uint32_t>(value.text.size());
      out.ev_handle = handle;
      break;
    case 'I':
      out.ev_long = value.integer;
      out.ev_width = static_cast<int16_t>(value.width);
      break;
    case 'N':
      out.ev_real = value.number;
      out.ev_width = static_cast<int16_t>(value.width);
      out.ev_length = static_cast<uint32_t>(value.decimals);
      break;
    case 'L':
      out.ev_length = value.logical ? 1 : 0;
      break;
    default:
      break;
  }
  return out;
}

bool FromLckValue(const Value& value, HandleHeap& heap, FoxValue* out) {
  switch (value.ev_type) {
    case 'C': *out = FoxValue::Character(heap.Bytes(value.ev_handle, value.ev_length)); return true;
    case 'I': *out = FoxValue::Integer(value.ev_long, value.ev_width); return true;
    case 'N':
      *out = FoxValue::Numeric(value.ev_real, value.ev_width, static_cast<int>(value.ev_length));
      return true;
    case 'L': *out = FoxValue::Logical(value.ev_length != 0); return true;
    case '0': *out = FoxValue::Null(); return true;
    default: return false;
  }
}

}  // namespace foxhost
