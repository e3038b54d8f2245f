#include "foxhost/runtime/runtime.h"

#include <filesystem>
#include <iostream>

#include "foxhost/runtime/call_context.h"
#include "foxhost/runtime/fox_error.h"
#include "foxhost/runtime/lck_values.h"

namespace foxhost {
namespace {

// The host's blocks for one call's parameters, freed however the call ends.
class ParameterBlocks {
 public:
  explicit ParameterBlocks(HandleHeap& heap) : heap_(heap) {}
  ~ParameterBlocks() {
    for (MHANDLE handle : handles_) heap_.Free(handle);
  }
  MHANDLE Adopt(std::string bytes) {
    handles_.push_back(heap_.AllocateForHost(std::move(bytes)));
    return handles_.back();
  }

 private:
  HandleHeap& heap_;
  std::vector<MHANDLE> handles_;
};

}  // namespace

Runtime::Runtime(std::unique_ptr<Evaluator> evaluator)
    : evaluator_(std::move(evaluator)), warnings_(&std::cerr) {}

Runtime::~Runtime() { ReleaseLibraries(); }

void Runtime::SetLibrary(const std::string& path) {
  libraries_.push_back(std::make_unique<ExtensionLibrary>(path, HostServiceTable()));
  RunHook(*libraries_.back(), kLoadHookCount);
}

void Runtime::ReleaseLibraries() {
  while (!libraries_.empty()) {
    try {
      RunHook(*libraries_.back(), kUnloadHookCount);
    } catch (const FoxError& error) {
      warnings() << "Warning: unload hook of " << libraries_.back()->path()
                 << " failed: " << error.what() << "\n";
    }
    libraries_.pop_back();
  }
}

bool Runtime::ReleaseLibrary(const std::string& name) {
  std::string wanted = NormalName(std::filesystem::path(name).filename().string());
  for (auto library = libraries_.begin(); library != libraries_.end(); ++library) {
    std::string file = NormalName(std::filesystem::path((*library)->path()).filename().string());
    if (file != wanted && file != wanted + ".FLL") continue;
    try {
      RunHook(**library, kUnloadHookCount);
    } catch (const FoxError& error) {
      warnings() << "Warning: unload hook of " << (*library)->path() << " failed: " << error.what()
                 << "\n";
    }
    libraries_.erase(library);
    return true;
  }
  return false;
}

void Runtime::RunHook(const ExtensionLibrary& library, int count) {
  if (const LibraryRow* hook = library.Hook(count)) Enter(*hook, {});
}

const LibraryRow* Runtime::FindFunction(std::string_view name) const {
  for (auto library = libraries_.rbegin(); library != libraries_.rend(); ++library)
    if (const LibraryRow* row = (*library)->Function(name)) return row;
  return nullptr;
}

FoxValue Runtime::Call(std::string_view name, std::vector<Argument> arguments) {
  const LibraryRow* row = FindFunction(name);
  if (!row)
    throw FoxError(kErrorFileNotFound, "No function " + NormalName(name) + " is defined.");
  return Enter(*row, CheckCall(row->name, row->specs, std::move(arguments)));
}

FoxValue Runtime::Enter(const LibraryRow& row, std::vector<Argument> arguments) {
  ParamBlk block{};
  ParameterBlocks blocks(heap_);
  for (size_t i = 0; i < arguments.size(); ++i) {
    Argument& argument = arguments[i];
    Parameter& parameter = block.p[i];
    if (argument.by_reference()) {
      std::optional<VariableId> id = variables_.Find(argument.reference);
      if (!id) throw FoxError(kErrorVariableNotFound, "'" + NormalName(argument.reference) + "'");
      parameter.loc = Locator{};
      parameter.loc.l_where = *id;
      parameter.loc.l_NTI = variables_.NameIndex(argument.reference);
    } else {
      // The arguments are the call's own copies: a character value's bytes
      // move into its block.
      parameter.val = ToLckValue(argument.value, 0);
      if (argument.value.type == 'C') parameter.val.ev_handle = blocks.Adopt(std::move(argument.value.text));
    }
  }
  block.pCount = static_cast<int16_t>(arguments.size());

  CallContext call(*this);
  try {
    row.function(&block);
  } catch (const CallAbandoned& abandoned) {
    call.Reclaim();
    throw FoxError(abandoned.number, "(raised by " + row.name + ")");
  }
  for (std::string& fault : call.DisciplineFaults()) faults_.push_back(row.name + ": " + fault);
  call.Reclaim();
  return call.TakeResult();
}

FoxValue Runtime::Evaluate(std::string_view expression) {
  return evaluator_->Evaluate(*this, expression);
}

void Runtime::Execute(std::string_view statement) { evaluator_->Execute(*this, statement); }

std::vector<std::string> Runtime::TakeDisciplineFaults() {
  std::vector<std::string> faults;
  faults.swap(faults_);
  return faults;
}

}  // namespace foxhost
