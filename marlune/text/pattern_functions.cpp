// The pattern functions and XTStrRev.
#include <algorithm>

#include "marlune/crypto/byte_operations.h"
#include "marlune/host/host_errors.h"
#include "marlune/host/parameters.h"
#include "marlune/host/results.h"
#include "marlune/text/registered_functions.h"
#include "marlune/text/wildcard.h"

namespace marlune {
namespace {

// The optional third parameter: greater than 0 makes a match case-sensitive.
bool CaseSensitive(ParamBlk* parm) { return host::HasParam(parm, 3) && host::IntParam(parm, 3) > 0; }

}  // namespace

void XTFindMatchString(ParamBlk* parm) {
  host::CharParam text(parm, 1);
  host::CharParam pattern(parm, 2);
  int start = host::HasParam(parm, 3) ? std::max(host::IntParam(parm, 3), 0) : 0;
  host::ReturnInt(text::FindWithWildcard(text.text(), pattern.text(), start) + 1, 10);
}

void XTIsMatchString(ParamBlk* parm) {
  host::CharParam text(parm, 1);
  host::CharParam pattern(parm, 2);
  host::ReturnLogical(text::MatchWildcard(text.text(), pattern.text(), CaseSensitive(parm)));
}

void XTMultiMatchString(ParamBlk* parm) {
  host::CharParam text(parm, 1);
  host::CharParam patterns(parm, 2);
  host::ReturnLogical(text::MatchAnyWildcard(text.text(), patterns.text(), CaseSensitive(parm)));
}

// A negative count of bytes to keep counts as 0: the whole value is reversed.
void XTStrRev(ParamBlk* parm) {
  Locator& variable = host::ParamLocator(parm, 1);
  Value value{};
  host::RaiseIfFailed(_Load(&variable, &value));
  if (value.ev_type != 'C') _Error(host::kErrorDataTypeMismatch);
  if (value.ev_length > 0) {
    int32_t keep = host::HasParam(parm, 2) ? std::max(host::IntParam(parm, 2), 0) : 0;
    _HLock(value.ev_handle);
    crypto::ReverseTail(static_cast<char*>(_HandToPtr(value.ev_handle)), value.ev_length,
                        static_cast<size_t>(keep));
    _HUnLock(value.ev_handle);
  }
  int stored = _Store(&variable, &value);
  _FreeHand(value.ev_handle);
  host::RaiseIfFailed(stored);
}

}  // namespace marlune
