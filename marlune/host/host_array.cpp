#include "marlune/host/host_array.h"

#include "marlune/host/host_errors.h"
#include "marlune/host/parameters.h"
#include "marlune/host/results.h"

namespace marlune::host {

HostArray::HostArray(Value& name) : name_handle_(name.ev_handle) {
  NulTerminateValue(name);
  _HLock(name_handle_);
  name_ = static_cast<const char*>(_HandToPtr(name_handle_));
}

HostArray::~HostArray() {
  if (locked_) _HUnLock(name_handle_);
}

void HostArray::Drop() {
  NTI index = _NameTableIndex(name_);
  Locator found{};
  if (index != -1 && _FindVar(index, -1, &found)) RaiseIfFailed(_Release(index));
}

void HostArray::Create(int32_t rows, int32_t columns) {
  Drop();
  locator_ = Locator{};
  locator_.l_subs = columns == 0 ? 1 : 2;
  locator_.l_sub1 = rows;
  locator_.l_sub2 = columns;
  RaiseIfFailed(_NewVar(name_, &locator_, 1));
}

void HostArray::StoreValue(int32_t row, int32_t column, Value* value) {
  locator_.l_sub1 = row;
  locator_.l_sub2 = column;
  RaiseIfFailed(_Store(&locator_, value));
}

void HostArray::Store(int32_t row, int32_t column, std::string_view text) {
  CharacterBlock block(text);
  StoreValue(row, column, block.value());
}

void HostArray::Store(int32_t row, int32_t column, int32_t number, int width) {
  Value value{};
  value.ev_type = 'I';
  value.ev_width = static_cast<int16_t>(width);
  value.ev_long = number;
  StoreValue(row, column, &value);
}

void HostArray::Finish(int32_t count) {
  locked_ = false;
  _HUnLock(name_handle_);
  ReturnInt(count, 10);
}

}  // namespace marlune::host
