// The host runtime: memory handles, variables, `_screen.tag`, the loaded
// extension libraries and calls into them, and statements and expressions
// through a pluggable evaluator.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foxhost/runtime/argument.h"
#include "foxhost/runtime/evaluator.h"
#include "foxhost/runtime/extension_library.h"
#include "foxhost/runtime/fox_value.h"
#include "foxhost/runtime/handle_heap.h"
#include "foxhost/runtime/variables.h"

namespace foxhost {

class Runtime {
 public:
  // The language (foxhost/language) is the evaluator the host program uses.
  explicit Runtime(std::unique_ptr<Evaluator> evaluator);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  HandleHeap& heap() { return heap_; }
  Variables& variables() { return variables_; }
  // The object `_screen`'s `tag` property; empty text at start.
  FoxValue& screen_tag() { return screen_tag_; }

  // SET LIBRARY TO: loads the library, reads its table, runs its load hook.
  void SetLibrary(const std::string& path);
  // Runs each library's unload hook and unloads it, the last loaded first.
  void ReleaseLibraries();
  // RELEASE LIBRARY: the one library whose file name is `name` (".fll"
  // may be left out; any case). False when none is loaded.
  bool ReleaseLibrary(const std::string& name);
  const std::vector<std::unique_ptr<ExtensionLibrary>>& libraries() const { return libraries_; }

  // Calls a library function after checking the arguments against its
  // descriptor. Throws FoxError: 1 for an unknown function, 11 for a call
  // the descriptor refuses, or the error the function raised.
  FoxValue Call(std::string_view name, std::vector<Argument> arguments);

  // Through the evaluator; both throw FoxError.
  FoxValue Evaluate(std::string_view expression);
  void Execute(std::string_view statement);

  // Statements libraries had executed, in order.
  const std::vector<std::string>& executed() const { return executed_; }
  void RecordExecuted(std::string statement) { executed_.push_back(std::move(statement)); }

  // What calls that returned normally did against the handle discipline,
  // since last asked.
  std::vector<std::string> TakeDisciplineFaults();

  // Where warnings go (standard error unless set).
  std::ostream& warnings() { return *warnings_; }
  void set_warnings(std::ostream* out) { warnings_ = out; }

 private:
  const LibraryRow* FindFunction(std::string_view name) const;
  FoxValue Enter(const LibraryRow& row, std::vector<Argument> arguments);
  void RunHook(const ExtensionLibrary& library, int count);

  std::unique_ptr<Evaluator> evaluator_;
  HandleHeap heap_;
  Variables variables_;
  FoxValue screen_tag_ = FoxValue::Character("");
  std::vector<std::unique_ptr<ExtensionLibrary>> libraries_;
  std::vector<std::string> executed_;
  std::vector<std::string> faults_;
  std::ostream* warnings_;
};

}  // namespace foxhost
