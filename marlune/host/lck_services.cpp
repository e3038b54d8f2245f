// The host operations as the library calls them: thin forwarders over the
// service table the host handed to `DispatchAPI`.
#include <cstdlib>

#include "marlune/host/host_binding.h"
#include "marlune/host/lck.h"

namespace {

const HostServices* g_host = nullptr;

const HostServices& Host() { return *g_host; }

}  // namespace

namespace marlune::host {

void BindHost(const HostServices* services) { g_host = services; }

}  // namespace marlune::host

MHANDLE _AllocHand(uint32_t size) { return Host().AllocHand(size); }
void _FreeHand(MHANDLE handle) { Host().FreeHand(handle); }
void* _HandToPtr(MHANDLE handle) { return Host().HandToPtr(handle); }
void _HLock(MHANDLE handle) { Host().HLock(handle); }
void _HUnLock(MHANDLE handle) { Host().HUnLock(handle); }
uint32_t _SetHandSize(MHANDLE handle, uint32_t size) { return Host().SetHandSize(handle, size); }
void _RetVal(Value* value) { Host().RetVal(value); }
void _RetInt(int32_t value, int width) { Host().RetInt(value, width); }
void _RetLogical(int flag) { Host().RetLogical(flag); }
void _RetChar(const char* text) { Host().RetChar(text); }
int _Evaluate(Value* value, const char* expression) { return Host().Evaluate(value, expression); }
int _Execute(const char* statement) { return Host().Execute(statement); }
NTI _NameTableIndex(const char* name) { return Host().NameTableIndex(name); }
int _FindVar(NTI index, int where, Locator* locator) { return Host().FindVar(index, where, locator); }
int _Release(NTI index) { return Host().Release(index); }
NTI _NewVar(const char* name, Locator* locator, int flag) {
  return Host().NewVar(name, locator, flag);
}
int _Load(Locator* locator, Value* value) { return Host().Load(locator, value); }
int _Store(Locator* locator, Value* value) { return Host().Store(locator, value); }

void _Error(int code) {
  Host().Error(code);
  // The host's error operation unwinds to its call site; coming back here
  // would break the contract, and continuing would work on abandoned state.
  std::abort();
}
