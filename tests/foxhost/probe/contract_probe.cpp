// An extension library built only for the tests: it exercises the parts of
// the host contract that no registered function of marlune reaches yet,
// through the library-side helpers marlune's functions use.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "marlune/host/host_array.h"
#include "marlune/host/host_binding.h"
#include "marlune/host/host_errors.h"
#include "marlune/host/lck.h"
#include "marlune/host/parameters.h"
#include "marlune/host/results.h"

using namespace marlune::host;

namespace {

// A library-wide object: writes "destroyed" to $PROBE_UNLOAD_LOG when the
// module is unloaded.
class UnloadWitness {
 public:
  UnloadWitness() {
    if (const char* log = std::getenv("PROBE_UNLOAD_LOG")) log_ = log;
  }
  ~UnloadWitness() {
    if (log_.empty()) return;
    if (FILE* out = std::fopen(log_.c_str(), "a")) {
      std::fputs("destroyed\n", out);
      std::fclose(out);
    }
  }

 private:
  std::string log_;
};

UnloadWitness g_witness;
int g_types_entered = 0;

// The whole block after NulTerminateValue: the text and its NUL.
void ProbeBlock(ParamBlk* parm) {
  Value& value = ParamValue(parm, 1);
  NulTerminateValue(value);
  _HLock(value.ev_handle);
  std::string block(static_cast<const char*>(_HandToPtr(value.ev_handle)), value.ev_length + 1);
  ReturnBytes(block);
  _HUnLock(value.ev_handle);
}

void ProbeText(ParamBlk* parm) {
  CharParam text(parm, 1);
  ReturnText(text.c_str());
}

// Changes the parameter's bytes in place, as a decryption does, and returns them.
void ProbeScramble(ParamBlk* parm) {
  CharParam text(parm, 1);
  char* bytes = text.data();
  for (uint32_t i = 0; i < text.length(); ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x20);
  ReturnBytes(std::string_view(bytes, text.length()));
}

// Locks both parameters, then needs a block: when none can be had the call
// is abandoned with both locks held.
void ProbeHoldTwo(ParamBlk* parm) {
  _HLock(ParamValue(parm, 1).ev_handle);
  _HLock(ParamValue(parm, 2).ev_handle);
  MHANDLE scratch = _AllocHand(16);
  if (scratch == 0) _Error(kErrorNoMemory);
  _FreeHand(scratch);
  _HUnLock(ParamValue(parm, 2).ev_handle);
  _HUnLock(ParamValue(parm, 1).ev_handle);
}

void ProbeExecute(ParamBlk* parm) {
  CharParam statement(parm, 1);
  ReturnInt(_Execute(statement.c_str()), 10);
}

// rows x columns (columns 0: a list of rows): column 1 "r<row>", column 2 the row.
void ProbeArray(ParamBlk* parm) {
  HostArray array(ParamValue(parm, 1));
  int32_t rows = IntParam(parm, 2);
  int32_t columns = IntParam(parm, 3);
  array.Create(rows, columns);
  for (int32_t row = 1; row <= rows; ++row) {
    array.Store(row, columns == 0 ? 0 : 1, "r" + std::to_string(row));
    if (columns >= 2) array.Store(row, 2, row, 10);
  }
  array.Finish(rows);
}

void ProbeDrop(ParamBlk* parm) {
  HostArray array(ParamValue(parm, 1));
  array.Drop();
  array.Finish(0);
}

// The types the function received, in order.
void ProbeTypes(ParamBlk* parm) {
  ++g_types_entered;
  std::string types;
  for (int i = 1; HasParam(parm, i); ++i) types += ParamValue(parm, i).ev_type;
  ReturnText(types.c_str());
}

void ProbeEntries(ParamBlk* /*parm*/) { ReturnInt(g_types_entered, 10); }

// Appends "!" to a character variable passed by reference.
void ProbeAppend(ParamBlk* parm) {
  Locator& variable = ParamLocator(parm, 1);
  Value value{};
  RaiseIfFailed(_Load(&variable, &value));
  if (value.ev_type != 'C') _Error(kErrorDataTypeMismatch);
  std::string text(static_cast<const char*>(_HandToPtr(value.ev_handle)), value.ev_length);
  _FreeHand(value.ev_handle);
  CharacterBlock appended(text + "!");
  RaiseIfFailed(_Store(&variable, appended.value()));
}

// Breaks the discipline on purpose: 1 leaves an allocated block alive,
// 2 leaves an evaluated value's block alive, 3 leaves the parameter locked.
void ProbeLeak(ParamBlk* parm) {
  switch (IntParam(parm, 1)) {
    case 1: _AllocHand(8); break;
    case 2: {
      Value tag{};
      _Evaluate(&tag, "_screen.tag");
      break;
    }
    default: _HLock(ParamValue(parm, 2).ev_handle); break;
  }
}

void ProbeNothing(ParamBlk* /*parm*/) {}

FoxInfo g_rows[] = {
    {"ProbeBlock", ProbeBlock, 1, "C"},
    {"ProbeText", ProbeText, 1, "C"},
    {"ProbeScramble", ProbeScramble, 1, "C"},
    {"ProbeHoldTwo", ProbeHoldTwo, 2, "CC"},
    {"ProbeExecute", ProbeExecute, 1, "C"},
    {"ProbeArray", ProbeArray, 3, "CII"},
    {"ProbeDrop", ProbeDrop, 1, "C"},
    {"ProbeTypes", ProbeTypes, 4, "IN.L.?"},
    {"ProbeEntries", ProbeEntries, 0, ""},
    {"ProbeAppend", ProbeAppend, 1, "R"},
    {"ProbeLeak", ProbeLeak, 2, "I.C"},
    {"ProbeNothing", ProbeNothing, 0, ""},
};

FoxTable g_table = {nullptr, static_cast<int16_t>(sizeof g_rows / sizeof g_rows[0]), g_rows};

}  // namespace

FoxTable* DispatchAPI(const HostServices* services) {
  BindHost(services);
  return &g_table;
}
