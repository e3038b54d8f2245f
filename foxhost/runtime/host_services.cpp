// The host's service operations, served for the innermost call in progress.
// Nothing here lets an exception reach the library except `Error`.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foxhost/runtime/call_context.h"
#include "foxhost/runtime/fox_error.h"
#include "foxhost/runtime/lck_values.h"
#include "foxhost/runtime/runtime.h"

namespace foxhost {
namespace {

CallContext& Call() {
  CallContext* call = CallContext::Current();
  if (!call) {
    // A library calling the host outside any call is lost beyond repair.
    std::fputs("foxhost: a library called a host service outside a call\n", stderr);
    std::abort();
  }
  return *call;
}

Runtime& Host() { return Call().runtime(); }
HandleHeap& Heap() { return Host().heap(); }

std::string Named(MHANDLE handle) { return "handle " + std::to_string(handle); }

// A host value handed to the library: a character value's bytes in a new
// block the call owns. False when no block can be had.
bool HandOut(const FoxValue& value, Value* out) {
  MHANDLE handle = 0;
  if (value.type == 'C') {
    handle = Heap().Allocate(static_cast<uint32_t>(value.text.size()));
    if (!handle) return false;
    std::memcpy(Heap().Data(handle), value.text.data(), value.text.size());
    Call().Own(handle);
  }
  *out = ToLckValue(value, handle);
  return true;
}

MHANDLE AllocHand(uint32_t size) {
  MHANDLE handle = Heap().Allocate(size);
  if (handle) Call().Own(handle);
  return handle;
}

void FreeHand(MHANDLE handle) {
  if (handle == 0) return;
  if (!Heap().Free(handle)) Call().Fault("freed " + Named(handle) + ", which is not alive");
  Call().Disown(handle);
}

void* HandToPtr(MHANDLE handle) {
  char* data = Heap().Data(handle);
  if (!data) Call().Fault("asked the address of " + Named(handle) + ", which is not alive");
  return data;
}

void HLock(MHANDLE handle) {
  if (!Heap().Lock(handle)) return Call().Fault("locked " + Named(handle) + ", which is not alive");
  Call().Locked(handle);
}

void HUnLock(MHANDLE handle) {
  if (!Heap().Unlock(handle)) return Call().Fault("unlocked " + Named(handle) + ", which is not locked");
  Call().Unlocked(handle);
}

uint32_t SetHandSize(MHANDLE handle, uint32_t size) { return Heap().Resize(handle, size) ? 1 : 0; }

void RetVal(Value* value) {
  FoxValue result;
  if (!FromLckValue(*value, Heap(), &result))
    return Call().Fault(std::string("returned a value of unknown type '") + value->ev_type + "'");
  Call().SetResult(std::move(result));
}

void RetInt(int32_t value, int width) { Call().SetResult(FoxValue::Integer(value, width)); }

void RetLogical(int flag) { Call().SetResult(FoxValue::Logical(flag != 0)); }

// The text goes to the host in a block of its own; none to be had, no result.
void RetChar(const char* text) {
  size_t length = std::strlen(text);
  MHANDLE handle = Heap().Allocate(static_cast<uint32_t>(length));
  if (!handle) return;
  Heap().Free(handle);
  Call().SetResult(FoxValue::Character(std::string(text, length)));
}

int Evaluate(Value* value, const char* expression) {
  *value = ToLckValue(FoxValue::Logical(false), 0);
  try {
    if (!HandOut(Host().Evaluate(expression), value)) return -kErrorNoMemory;
    return 0;
  } catch (const FoxError& error) {
    return -error.number();
  }
}

int Execute(const char* statement) {
  Runtime& host = Host();
  host.RecordExecuted(statement);
  try {
    host.Execute(statement);
    return 0;
  } catch (const FoxError& error) {
    host.warnings() << "Warning: statement failed: " << statement << ": " << error.what() << "\n";
    return -error.number();
  }
}

NTI NameTableIndex(const char* name) { return Host().variables().NameIndex(name); }

int FindVar(NTI index, int /*where*/, Locator* locator) {
  Variables& variables = Host().variables();
  if (index < 0) return 0;
  std::optional<VariableId> id = variables.Find(variables.Name(index));
  if (!id) return 0;
  *locator = Locator{};
  locator->l_where = *id;
  locator->l_NTI = index;
  return 1;
}

int Release(NTI index) {
  Variables& variables = Host().variables();
  if (index < 0 || !variables.Release(variables.Name(index))) return -kErrorVariableNotFound;
  return 0;
}

bool IsValidName(const char* name) {
  if (!name || !(std::isalpha(static_cast<unsigned char>(*name)) || *name == '_')) return false;
  for (const char* c = name; *c; ++c)
    if (!std::isalnum(static_cast<unsigned char>(*c)) && *c != '_') return false;
  return true;
}

NTI NewVar(const char* name, Locator* locator, int flag) {
  if (!IsValidName(name)) return -kErrorSyntax;
  if (locator->l_subs < 0 || locator->l_subs > 2 || locator->l_sub1 < 0 ||
      (locator->l_subs == 2 && locator->l_sub2 < 0))
    return -kErrorInvalidSubscript;
  Variables& variables = Host().variables();
  Scope scope = flag == 1 ? Scope::kPrivate : Scope::kPublic;
  locator->l_where =
      locator->l_subs == 0
          ? variables.Create(name, scope)
          : variables.CreateArray(name, scope, locator->l_sub1,
                                  locator->l_subs == 2 ? locator->l_sub2 : 0);
  locator->l_NTI = variables.NameIndex(name);
  return locator->l_NTI;
}

// The value or element a locator names; error 12 when the variable is gone,
// 31 when a subscript is out of range.
FoxValue& Located(const Locator& locator) {
  Variable* variable = Host().variables().Get(locator.l_where);
  if (!variable) throw FoxError(kErrorVariableNotFound);
  if (locator.l_subs == 0) {
    if (!variable->is_array) return variable->value;
    return Variables::Element(*variable, 1, 1, 0);
  }
  return Variables::Element(*variable, locator.l_subs, locator.l_sub1, locator.l_sub2);
}

int Load(Locator* locator, Value* value) {
  try {
    if (!HandOut(Located(*locator), value)) return -kErrorNoMemory;
    return 0;
  } catch (const FoxError& error) {
    return -error.number();
  }
}

int Store(Locator* locator, Value* value) {
  FoxValue stored;
  if (!FromLckValue(*value, Heap(), &stored)) return -kErrorDataTypeMismatch;
  try {
    Variable* variable = Host().variables().Get(locator->l_where);
    if (variable && variable->is_array && locator->l_subs == 0) {
      for (FoxValue& element : variable->elements) element = stored;
      return 0;
    }
    Located(*locator) = std::move(stored);
    return 0;
  } catch (const FoxError& error) {
    return -error.number();
  }
}

void Error(int number) { throw CallAbandoned{number}; }

const HostServices kServices = {
    AllocHand, FreeHand,  HandToPtr,      HLock,   HUnLock, SetHandSize, RetVal,
    RetInt,    RetLogical, RetChar,       Evaluate, Execute, NameTableIndex, FindVar,
    Release,   NewVar,    Load,           Store,   Error,
};

}  // namespace

const HostServices& HostServiceTable() { return kServices; }

}  // namespace foxhost
