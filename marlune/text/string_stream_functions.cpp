// LoadStringSrcStream and GetStringSrcById over the library-wide table.
#include <vector>

#include "marlune/host/parameters.h"
#include "marlune/host/results.h"
#include "marlune/text/registered_functions.h"
#include "marlune/text/string_stream.h"

namespace marlune {
namespace {

// Built when the library loads, destroyed when it unloads.
text::StringSrcTable g_strings;

}  // namespace

void LoadStringSrcStream(ParamBlk* parm) {
  Value& stream = host::ParamValue(parm, 1);
  if (stream.ev_length <= text::kStreamRecordSize) return host::ReturnInt(0, 10);
  std::vector<unsigned char> output(stream.ev_length - text::kStreamRecordSize);
  _HLock(stream.ev_handle);
  int decoded = text::DecodeStringStream(static_cast<const unsigned char*>(_HandToPtr(stream.ev_handle)),
                                         stream.ev_length, output.data(), text::kStreamKey);
  _HUnLock(stream.ev_handle);
  uint32_t count = decoded == 1 ? g_strings.LoadText(output.data(), output.size()) : 0;
  host::ReturnInt(static_cast<int32_t>(count), 10);
}

void GetStringSrcById(ParamBlk* parm) { host::ReturnText(g_strings.GetById(host::IntParam(parm, 1))); }

}  // namespace marlune
