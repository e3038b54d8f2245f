#include "marlune/host/library_state.h"

#include <optional>

namespace marlune::host {
namespace {

std::optional<LibraryState> g_library;

}  // namespace

void StartLibrary(HMODULE module) { g_library.emplace(module); }

void StopLibrary() { g_library.reset(); }

LibraryState& Library() { return *g_library; }

void SaveLastError() { Library().saved_error = GetLastError(); }

LSTATUS SaveRegistryStatus(LSTATUS status) {
  Library().saved_error = static_cast<DWORD>(status);
  return status;
}

}  // namespace marlune::host
