// State a module keeps for its whole life: built on first use, destroyed
// when the module unloads (or the process exits), so repeated loads leak
// nothing. After destruction the state answers null, so a late caller (a
// handle closed by another object's destructor) fails cleanly instead of
// touching destroyed memory.
#pragma once

namespace winapi::posix {

template <typename T>
T* module_state() {
  static bool gone = false;
  struct Holder {
    T value;
    ~Holder() { gone = true; }
  };
  static Holder holder;
  return gone ? nullptr : &holder.value;
}

}  // namespace winapi::posix
