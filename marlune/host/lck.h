// The host interface: the contract between a FoxPro host and an extension
// library. Both sides include this header; the host fills in a table of
// service operations, the library hands back its table of registered
// functions.
//
// Calling sequence
//   The host loads the library and calls its one export, `DispatchAPI`, with
//   its service table; the answer is the library's `FoxTable`. The host then
//   calls the row with count -2 (the load hook) once, registered functions as
//   the FoxPro program calls them, and the row with count -3 (the unload hook)
//   once before unloading. Every call gets a `ParamBlk`; the hooks get one
//   with `pCount` 0. The host calls the library from one thread, one call at a
//   time (a statement the library has executed may call it again).
//
// Parameters
//   The host checks every call against the row's descriptor before the
//   library sees it: letters "C" character, "I" integer, "N" numeric,
//   "L" logical, "R" a variable by reference, "?" any type; a "." in front of
//   a letter makes that parameter optional. A refused call (wrong count or
//   type) raises FoxPro error 11 in the caller and never enters the library.
//   Numbers: a whole-number literal within 32 bits (a negative one too) is an
//   integer value ('I'), every other number numeric ('N'). A parameter
//   declared "I" receives an 'N' converted to 'I' (error 11 when it is not a
//   number or out of range), "N" receives an 'I' converted to 'N', and "?"
//   receives the value as it is.
//   A "C" parameter's handle is a copy the call owns: the library may resize
//   it and change its bytes without touching the caller's variable.
//
// Results
//   A function hands back at most one value (`_RetVal`, `_RetInt`,
//   `_RetLogical`, `_RetChar`); the host copies what it needs before the
//   operation returns. A function that sets no result gives its caller .T.,
//   as a FoxPro routine without RETURN does.
//
// Handles
//   An `MHANDLE` names a movable block of host memory; 0 names nothing. The
//   block's address (`_HandToPtr`) stays valid only while the block is
//   locked: an unlocked block may move whenever the host resizes it. A
//   character value's block holds exactly `ev_length` bytes, not followed by a
//   NUL, and may contain NUL bytes. After every call that returns normally no
//   block the call locked is still locked, and every block the library
//   allocated, loaded or evaluated in it has been freed.
//
// Errors
//   `_Error` never returns: the host throws an exception of its own type that
//   unwinds through the library to the host's call site. The library never
//   throws anything itself, and nothing on a call path is `noexcept`; library
//   code may hold its own memory in RAII objects. The host then unlocks every
//   lock the abandoned call left, frees every block the library allocated in
//   it, and reports the FoxPro error.
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#define LCK_EXPORT extern "C" __declspec(dllexport)
#else
#define LCK_EXPORT extern "C" __attribute__((visibility("default")))
#endif

typedef int32_t MHANDLE;  // a block of host memory; 0 names nothing
typedef int32_t NTI;      // an index into the host's name table; -1 names nothing

#pragma pack(push, 1)

// A FoxPro value.
//   'C' character: ev_length bytes in ev_handle
//   'I' integer:   ev_long, shown ev_width characters wide
//   'N' numeric:   ev_real, shown ev_width wide with ev_length decimals
//   'L' logical:   ev_length, 0 false, anything else true
//   '0' .NULL.
struct Value {
  char ev_type;
  int16_t ev_width;
  uint32_t ev_length;
  int32_t ev_long;
  double ev_real;
  MHANDLE ev_handle;
};

// Names a variable or one element of an array. The library sets only
// `l_subs` (0 the whole variable, 1 or 2 subscripts), `l_sub1` and `l_sub2`
// (1-based row or element, and column); the host fills the other fields and
// expects them back unchanged.
struct Locator {
  int32_t l_where;  // the host's own name for the variable
  NTI l_NTI;
  int16_t l_subs;
  int32_t l_sub1;
  int32_t l_sub2;
};

// One parameter: read through `val` when declared by value, through `loc`
// when declared "R".
union Parameter {
  Value val;
  Locator loc;
};

enum { kMaxParameters = 26 };

struct ParamBlk {
  int16_t pCount;  // the number of parameters the caller passed
  Parameter p[kMaxParameters];
};

typedef void (*FPFI)(ParamBlk* parm);

// One row of the library table. `parmCount` is the number of descriptor
// letters; -2 marks the load hook, -3 the unload hook.
struct FoxInfo {
  const char* funcName;
  FPFI function;
  int16_t parmCount;
  const char* parmTypes;
};

struct FoxTable {
  FoxTable* nextLibrary;  // always null
  int16_t infoCount;
  FoxInfo* infoPtr;
};

#pragma pack(pop)

enum { kLoadHookCount = -2, kUnloadHookCount = -3 };

// The host's service operations, filled in by the host.
struct HostServices {
  // A new block of at least `size` bytes, or 0 when none can be had.
  MHANDLE (*AllocHand)(uint32_t size);
  // Releases a block; 0 is ignored.
  void (*FreeHand)(MHANDLE handle);
  // The address of the block's data.
  void* (*HandToPtr)(MHANDLE handle);
  // Pins a block (counted); the address stays valid until the matching unlock.
  void (*HLock)(MHANDLE handle);
  void (*HUnLock)(MHANDLE handle);
  // Resizes a block keeping its contents; 0 means failure.
  uint32_t (*SetHandSize)(MHANDLE handle, uint32_t size);
  // Results: the host copies what it needs before returning.
  void (*RetVal)(Value* value);
  void (*RetInt)(int32_t value, int width);
  void (*RetLogical)(int flag);
  // Takes the text up to its first NUL; sets no result when no block can be had.
  void (*RetChar)(const char* text);
  // Evaluates an expression in the calling routine's scope. 0, or minus the
  // FoxPro error number (the value then holds .F.). A character result comes
  // in a new block that the call owns.
  int (*Evaluate)(Value* value, const char* expression);
  // Runs one statement in the scope of the routine that called the library
  // and returns 0, or minus the FoxPro error number when it failed. A failed
  // statement never unwinds through the library; the host reports it on
  // standard error as a warning naming the statement. A statement may call
  // the library again.
  int (*Execute)(const char* statement);
  // The name's index, -1 when the name is unknown.
  NTI (*NameTableIndex)(const char* name);
  // Non-zero when a variable of that name is visible from the calling
  // routine (`where` -1: any scope); fills the locator (l_subs 0).
  int (*FindVar)(NTI index, int where, Locator* locator);
  // Releases the visible variable of that name; negative: minus a FoxPro error.
  int (*Release)(NTI index);
  // Creates a variable with the locator's dimensions (l_subs 0 a plain
  // variable, 1 l_sub1 elements, 2 l_sub1 rows by l_sub2 columns; 0 rows or
  // elements are accepted; new elements hold .F.). `flag` 1 makes it private
  // to the calling routine, 0 public. Fills the locator; answers the name's
  // index, negative: minus a FoxPro error.
  NTI (*NewVar)(const char* name, Locator* locator, int flag);
  // Read or write the variable or element the locator names. A loaded
  // character value comes in a new block that the call owns; `Store` takes
  // its own copy. Negative: minus a FoxPro error.
  int (*Load)(Locator* locator, Value* value);
  int (*Store)(Locator* locator, Value* value);
  // Raises a FoxPro error; does not return.
  void (*Error)(int code);
};

// The library's one export.
LCK_EXPORT FoxTable* DispatchAPI(const HostServices* services);

// The library's side: the operations as the library calls them, each
// forwarding to the host's table received by `DispatchAPI`.
MHANDLE _AllocHand(uint32_t size);
void _FreeHand(MHANDLE handle);
void* _HandToPtr(MHANDLE handle);
void _HLock(MHANDLE handle);
void _HUnLock(MHANDLE handle);
uint32_t _SetHandSize(MHANDLE handle, uint32_t size);
void _RetVal(Value* value);
void _RetInt(int32_t value, int width);
void _RetLogical(int flag);
void _RetChar(const char* text);
int _Evaluate(Value* value, const char* expression);
int _Execute(const char* statement);
NTI _NameTableIndex(const char* name);
int _FindVar(NTI index, int where, Locator* locator);
int _Release(NTI index);
NTI _NewVar(const char* name, Locator* locator, int flag);
int _Load(Locator* locator, Value* value);
int _Store(Locator* locator, Value* value);
[[noreturn]] void _Error(int code);
