// Reading a registered function's parameters, counted from 1 as FoxPro
// counts them.
#pragma once

#include <cstdint>
#include <string_view>

#include "marlune/host/lck.h"

namespace marlune::host {

inline bool HasParam(const ParamBlk* parm, int i) { return parm->pCount >= i; }
inline Value& ParamValue(ParamBlk* parm, int i) { return parm->p[i - 1].val; }
inline Locator& ParamLocator(ParamBlk* parm, int i) { return parm->p[i - 1].loc; }

inline int32_t IntParam(ParamBlk* parm, int i) { return ParamValue(parm, i).ev_long; }
inline double NumParam(ParamBlk* parm, int i) { return ParamValue(parm, i).ev_real; }
inline bool LogicalParam(ParamBlk* parm, int i) { return ParamValue(parm, i).ev_length != 0; }

// Grows the value's block to ev_length + 1 bytes, writes a NUL after the
// text and returns the block's address. Does not lock the block, does not
// look at ev_type, does not change ev_length. Raises 182 when the block
// cannot grow.
char* NulTerminateValue(Value& value);

// A character value read as text: NUL-terminated and locked for the guard's
// lifetime, unlocked on every path out of the function. Text functions see
// the value up to its first NUL.
class CharParam {
 public:
  explicit CharParam(Value& value);
  CharParam(ParamBlk* parm, int i) : CharParam(ParamValue(parm, i)) {}
  ~CharParam();
  CharParam(const CharParam&) = delete;
  CharParam& operator=(const CharParam&) = delete;

  const char* c_str() const { return text_; }
  // The bytes themselves, for functions that change them in place.
  char* data() { return text_; }
  std::string_view text() const { return text_; }
  // ev_length: the value's byte length, NUL bytes included.
  uint32_t length() const { return length_; }
  bool empty() const { return length_ == 0; }

 private:
  MHANDLE handle_;
  uint32_t length_;
  char* text_;
};

}  // namespace marlune::host
