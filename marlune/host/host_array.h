// Building a FoxPro array whose name the caller passed as a character
// parameter, the one way all array-returning functions do it:
//
//   HostArray array(ParamValue(parm, 1));   // name NUL-terminated and locked
//   array.Create(rows, 3);                   // old variable released, private array made
//   array.Store(row, 1, name);               // elements, 1-based
//   array.Finish(rows);                      // name unlocked, count returned (width 10)
//
// A failing host variable operation raises its FoxPro error.
#pragma once

#include <cstdint>
#include <string_view>

#include "marlune/host/lck.h"

namespace marlune::host {

class HostArray {
 public:
  explicit HostArray(Value& name);
  ~HostArray();
  HostArray(const HostArray&) = delete;
  HostArray& operator=(const HostArray&) = delete;

  // Releases any variable of the name, then creates a private array of the
  // calling routine: `rows` by `columns`, or `rows` elements when `columns`
  // is 0.
  void Create(int32_t rows, int32_t columns);
  void Store(int32_t row, int32_t column, std::string_view text);
  void Store(int32_t row, int32_t column, int32_t number, int width);
  // Releases the array again (an empty or failed enumeration).
  void Drop();
  // Unlocks the name, then returns `count` with width 10.
  void Finish(int32_t count);

 private:
  void StoreValue(int32_t row, int32_t column, Value* value);

  MHANDLE name_handle_;
  const char* name_;
  Locator locator_{};
  bool locked_ = true;
};

}  // namespace marlune::host
