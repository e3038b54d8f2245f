#include "marlune/host/parameters.h"

namespace marlune::host {

CharParam::CharParam(Value& value) : handle_(value.ev_handle), length_(value.ev_length) {
  NulTerminateValue(value);
  _HLock(handle_);
  text_ = static_cast<char*>(_HandToPtr(handle_));
}

CharParam::~CharParam() { _HUnLock(handle_); }

}  // namespace marlune::host
