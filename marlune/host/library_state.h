// The library-wide state: constructed when the module is loaded, before the
// host's first call, and destroyed when it is unloaded. The library-wide
// objects live here, so that start-up and shutdown handle them in one place.
#pragma once

#include <winapi/windows.h>

#include "marlune/registry/registry_session.h"
#include "marlune/text/parsed_string.h"

namespace marlune::host {

struct LibraryState {
  explicit LibraryState(HMODULE module) : module(module) {}

  HMODULE module;         // the library's own module handle
  DWORD saved_error = 0;  // the last failing Windows call's code, read by XTGetLastErrorMsg
  text::ParsedString parsed_string;  // the PS functions' cursor
  registry::RegistrySession registry_session;  // the FR functions' key
};

// Module start-up and shutdown, from the module's entry point.
void StartLibrary(HMODULE module);
void StopLibrary();

// The state of the loaded library.
LibraryState& Library();

// Keeps the calling thread's last-error code as the saved error code.
void SaveLastError();

// Keeps a registry call's status as the saved error code, 0 on success too,
// and returns it.
LSTATUS SaveRegistryStatus(LSTATUS status);

}  // namespace marlune::host
