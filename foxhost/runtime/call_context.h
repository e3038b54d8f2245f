// One call into an extension library, as the host serves it: the result the
// library set, the blocks it owns (allocated, loaded or evaluated), the locks
// it took, and what it did against the handle discipline. Calls nest when a
// statement the library had executed calls a library again.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "foxhost/runtime/fox_value.h"
#include "marlune/host/lck.h"

namespace foxhost {

class Runtime;

// What the host's `_Error` throws: it unwinds through the library to the
// host's call site, which reclaims the call and reports the FoxPro error.
struct CallAbandoned {
  int number;
};

class CallContext {
 public:
  explicit CallContext(Runtime& runtime);
  ~CallContext();
  CallContext(const CallContext&) = delete;
  CallContext& operator=(const CallContext&) = delete;

  // The innermost call in progress; null outside any call.
  static CallContext* Current();

  Runtime& runtime() { return runtime_; }

  void Own(MHANDLE handle) { owned_.insert(handle); }
  void Disown(MHANDLE handle) { owned_.erase(handle); }
  void Locked(MHANDLE handle) { ++locks_[handle]; }
  void Unlocked(MHANDLE handle) { --locks_[handle]; }
  void Fault(std::string what) { faults_.push_back(std::move(what)); }

  void SetResult(FoxValue value) { result_ = std::move(value); }
  // Hands over the result, .T. when the function set none.
  FoxValue TakeResult() { return result_ ? std::move(*result_) : FoxValue::Logical(true); }

  // What a call that returned normally left behind: blocks still locked,
  // blocks the library owns still alive, and faults met on the way.
  std::vector<std::string> DisciplineFaults() const;
  // Undoes the call's locks and frees the blocks the library owns.
  void Reclaim();

 private:
  Runtime& runtime_;
  std::optional<FoxValue> result_;
  std::set<MHANDLE> owned_;
  std::map<MHANDLE, int> locks_;
  std::vector<std::string> faults_;
};

// The service operations the host hands to `DispatchAPI`.
const HostServices& HostServiceTable();

}  // namespace foxhost
