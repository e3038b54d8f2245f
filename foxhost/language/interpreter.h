// The third phase: runs the tree on the host runtime. It is also the
// runtime's evaluator, so statements and expressions a library hands to
// `_Execute` and `_Evaluate` run here, in the scope of the routine that
// called the library.
#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "foxhost/language/ast.h"
#include "foxhost/language/program_error.h"
#include "foxhost/runtime/evaluator.h"
#include "foxhost/runtime/runtime.h"

namespace foxhost::language {

class Interpreter : public Evaluator {
 public:
  // `out` gets what `?`, `??` and MESSAGEBOX show.
  explicit Interpreter(std::ostream& out);
  ~Interpreter() override;

  // Binds the interpreter to the runtime it runs on (the one it is the
  // evaluator of).
  void Attach(Runtime& runtime) { runtime_ = &runtime; }

  // Runs a program file with its arguments (character values). Answers the
  // exit status: 0, or 1 after an uncaught error or a syntax error (reported
  // to `err` as "file(line): Error N: message", before anything runs).
  int RunFile(const std::string& path, const std::vector<std::string>& arguments, std::ostream& err);
  // Runs program text as if it were a file with that name.
  int RunSource(const std::string& source, const std::string& name, std::ostream& err);
  // One line typed at the prompt; errors are reported and the prompt goes on.
  // False when the line asked to quit.
  bool RunPromptLine(const std::string& line, std::ostream& err);
  // Ends the current output line, if anything is on it.
  void FinishOutput();

  // The evaluator seam.
  FoxValue Evaluate(Runtime& runtime, std::string_view expression) override;
  void Execute(Runtime& runtime, std::string_view statement) override;

  // ----- for the built-in functions
  Runtime& runtime() { return *runtime_; }
  std::ostream& out() { return out_; }
  // Shows a whole line of its own (what a dialog would say).
  void ShowLine(const std::string& text);
  bool exact() const { return exact_; }
  // The running program's file, as a full path (SYS(16)).
  std::string ProgramPath() const;
  int ParameterCount() const;
  FoxValue EvaluateText(const std::string& expression);
  // An object's property; error 1734 when it has none of that name.
  FoxValue Property(const FoxValue& object, const std::string& name);

 private:
  struct Frame;
  enum class Flow { kNormal, kExit, kLoop, kReturn };
  struct Quit {};

  int Run(std::shared_ptr<Program> program, const std::vector<FoxValue>& arguments, std::ostream& err);
  void Report(const FoxError& error, std::ostream& err);
  std::shared_ptr<Program> Load(const std::string& path);
  std::shared_ptr<Procedure> FindProcedure(const std::string& name, const Program** program) const;
  FoxValue CallRoutine(const Procedure& procedure, const Program& program,
                       std::vector<FoxValue> arguments, const std::vector<std::string>& references);

  Flow ExecBlock(const Block& block);
  Flow Exec(const Stmt& stmt);
  Flow ExecIf(const Stmt& stmt);
  Flow ExecCase(const Stmt& stmt);
  Flow ExecWhile(const Stmt& stmt);
  Flow ExecFor(const Stmt& stmt);
  Flow ExecTry(const Stmt& stmt);
  void ExecDeclare(const Stmt& stmt);
  void ExecParameters(const Stmt& stmt);
  void ExecDo(const Stmt& stmt);
  void ExecPrint(const Stmt& stmt);
  void ExecSetLibrary(const Stmt& stmt);
  void ExecReleaseLibrary(const Stmt& stmt);
  Flow ExecMacroLine(const Stmt& stmt);
  void Assign(const Expr& target, const FoxValue& value);
  void Throw(const Stmt& stmt);

  FoxValue Eval(const Expr& expr);
  FoxValue EvalCall(const Expr& expr);
  FoxValue& Element(Variable& array, const std::vector<Argument>& subscripts);
  FoxValue EvalMember(const Expr& expr);
  FoxValue EvalBinary(const Expr& expr);
  FoxValue EvalCast(const Expr& expr);
  FoxValue CallLibrary(const std::string& name, const std::vector<Argument>& arguments);
  std::string Substitute(const std::string& text);
  std::string FindLibrary(const std::string& name) const;

  ProgramError Locate(const FoxError& error, int line) const;
  FoxValue MakeException(const ProgramError& error);

  Runtime* runtime_ = nullptr;
  std::ostream& out_;
  bool at_line_start_ = true;
  bool exact_ = false;
  bool quit_ = false;
  std::vector<std::shared_ptr<Program>> programs_;
  std::vector<std::unique_ptr<Frame>> frames_;
  std::map<int32_t, std::map<std::string, FoxValue>> objects_;
  int32_t next_object_ = 1;
};

// Makes a runtime whose evaluator is a new interpreter writing to `out`,
// and answers both.
struct Host {
  std::unique_ptr<Runtime> runtime;
  Interpreter* interpreter;
};
Host MakeHost(std::ostream& out);

}  // namespace foxhost::language
