#include "foxhost/runtime/call_context.h"

#include <vector>

#include "foxhost/runtime/runtime.h"

namespace foxhost {
namespace {

thread_local std::vector<CallContext*> t_calls;

}  // namespace

CallContext::CallContext(Runtime& runtime) : runtime_(runtime) { t_calls.push_back(this); }

CallContext::~CallContext() { t_calls.pop_back(); }

CallContext* CallContext::Current() { return t_calls.empty() ? nullptr : t_calls.back(); }

std::vector<std::string> CallContext::DisciplineFaults() const {
  std::vector<std::string> faults = faults_;
  const HandleHeap& heap = runtime_.heap();
  for (const auto& [handle, count] : locks_)
    if (count > 0 && heap.Alive(handle))
      faults.push_back("handle " + std::to_string(handle) + " left locked");
  for (MHANDLE handle : owned_)
    if (heap.Alive(handle))
      faults.push_back("handle " + std::to_string(handle) + " owned by the library left alive");
  return faults;
}

void CallContext::Reclaim() {
  HandleHeap& heap = runtime_.heap();
  for (auto& [handle, count] : locks_)
    for (; count > 0 && heap.Unlock(handle); --count) {
    }
  locks_.clear();
  for (MHANDLE handle : owned_) heap.Free(handle);
  owned_.clear();
}

}  // namespace foxhost
