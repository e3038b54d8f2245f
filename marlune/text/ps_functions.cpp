// The PS functions: a FoxPro program's view of the library's one
// parsed-string cursor.
#include <string>

#include "marlune/host/library_state.h"
#include "marlune/host/parameters.h"
#include "marlune/host/results.h"
#include "marlune/text/parsed_string.h"
#include "marlune/text/registered_functions.h"

namespace marlune {
namespace {

text::ParsedString& Cursor() { return host::Library().parsed_string; }

// Text for _RetChar: the view's bytes followed by a NUL.
void ReturnView(std::string_view view) { host::ReturnText(std::string(view).c_str()); }

}  // namespace

void PSSetStringLine(ParamBlk* parm) {
  if (host::ParamValue(parm, 1).ev_length == 0) return host::ReturnLogical(false);
  host::CharParam line(parm, 1);
  Cursor().SetLine(line.text());
  host::ReturnLogical(true);
}

void PSSetFlagChar(ParamBlk* parm) {
  if (host::ParamValue(parm, 1).ev_length == 0) return host::ReturnLogical(false);
  host::CharParam flag(parm, 1);
  Cursor().SetDelimiter(flag.c_str()[0]);
  host::ReturnLogical(true);
}

void PSIsEnd(ParamBlk*) { host::ReturnLogical(Cursor().AtEnd()); }

void PSGetItem(ParamBlk*) { ReturnView(Cursor().NextItem()); }

void PSGoToHead(ParamBlk*) { Cursor().GoToHead(); }

void PSGetRestString(ParamBlk*) { ReturnView(Cursor().Rest()); }

}  // namespace marlune
