// A host for GoogleTest, built on the runtime and the language: loads a fresh copy of a built
// extension library, calls its functions by name, and reads results,
// variables, arrays and the statements the library had executed.
//
// After every call it checks the handle discipline: no block left locked and
// no block the library allocated, loaded or evaluated left alive, whether
// the call returned normally or was abandoned with an error.
#pragma once

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "foxhost/language/interpreter.h"
#include "foxhost/runtime/fox_error.h"
#include "foxhost/runtime/runtime.h"

namespace foxhost::testing {

class TestHost {
 public:
  // Copies `module` into a folder of its own (so each host gets a fresh
  // module: library-wide state never leaks between tests), points
  // MARLUNE_PREFIX at a fresh prefix folder beside it, lets `before_load`
  // prepare the host, then loads the copy and runs its load hook.
  explicit TestHost(const std::string& module,
                    const std::function<void(Runtime&)>& before_load = {});
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  Runtime& runtime() { return *host_.runtime; }
  // What `?` and `??` printed.
  std::string output() const { return output_.str(); }
  // The loaded copy's POSIX path.
  const std::filesystem::path& library_path() const { return library_; }

  // A call that must succeed; a FoxError fails the test and gives .F..
  FoxValue Call(std::string_view name, std::vector<Argument> arguments = {});
  // A call that must fail; answers its error (number 0 when it succeeded).
  FoxError CallFails(std::string_view name, std::vector<Argument> arguments = {});

  void Execute(std::string_view statement);
  FoxValue Evaluate(std::string_view expression);

  // Runs the unload hook and unloads the library.
  void Unload();

 private:
  void CheckDiscipline(std::string_view call);

  std::filesystem::path folder_;
  std::filesystem::path library_;
  std::ostringstream output_;
  language::Host host_;
  Runtime& runtime_;
};

}  // namespace foxhost::testing
