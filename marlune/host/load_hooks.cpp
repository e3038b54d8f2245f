// The load hook makes sure the application tag (`_screen.tag`) holds a
// non-empty text; the unload hook frees what the library loaded on demand.
#include <string>
#include <string_view>

#include <winapi/windows.h>

#include "marlune/crypto/registered_functions.h"
#include "marlune/host/application_tag.h"
#include "marlune/host/lck.h"
#include "marlune/host/registered_functions.h"

namespace marlune {
namespace {

// The host program's file name: its executable's path after the last backslash.
std::string HostProgramFileName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string_view full(path);
  return std::string(full.substr(full.find_last_of('\\') + 1));
}

}  // namespace

void ONLOAD(ParamBlk* /*parm*/) {
  if (host::ApplicationTag()) return;
  std::string statement = "_screen.tag = \"" + HostProgramFileName() + "\"";
  _Execute(statement.c_str());
}

// Frees what the library loaded on first use.
void ONQUIT(ParamBlk* /*parm*/) { ReleaseResourceKey(); }

}  // namespace marlune
