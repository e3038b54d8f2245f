// GetFllInfo: the library file's own path (1) or its version text.
#include <winapi/windows.h>

#include "marlune/host/library_state.h"
#include "marlune/host/parameters.h"
#include "marlune/host/registered_functions.h"
#include "marlune/host/results.h"

namespace marlune {
namespace {

// Matches the file version 1.0.1.222 of the library.
constexpr char kVersionText[] = "1.01.0222";

}  // namespace

void GetFllInfo(ParamBlk* parm) {
  if (host::IntParam(parm, 1) != 1) {
    host::ReturnText(kVersionText);
    return;
  }
  char path[MAX_PATH] = {};
  GetModuleFileNameA(host::Library().module, path, MAX_PATH);
  host::ReturnText(path);
}

}  // namespace marlune
