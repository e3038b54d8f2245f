#include "foxhost/language/interpreter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "foxhost/language/builtins.h"
#include "foxhost/language/display.h"
#include "foxhost/language/parser.h"

namespace foxhost::language {

namespace fs = std::filesystem;

namespace {

constexpr int kErrorDivisionByZero = 1307;
constexpr int kErrorUserThrown = 2071;
constexpr int kErrorPropertyNotFound = 1734;
constexpr int kErrorNestingTooDeep = 1523;
constexpr size_t kMaxDepth = 120;
constexpr int32_t kScreenObject = 0;

[[noreturn]] void Fail(int number, const std::string& message) {
  throw ProgramError(number, message, 0);
}

[[noreturn]] void Mismatch() { Fail(kErrorDataTypeMismatch, "Operator/operand type mismatch."); }

FoxValue Object(int32_t id) {
  FoxValue value = FoxValue::Integer(id);
  value.type = 'O';
  return value;
}

// An integer result when both operands are integers and it fits.
FoxValue Arithmetic(double result, const FoxValue& a, const FoxValue& b, int decimals) {
  if (a.type == 'I' && b.type == 'I' && decimals == 0 && result >= INT32_MIN && result <= INT32_MAX &&
      result == std::floor(result))
    return FoxValue::Integer(static_cast<int32_t>(result));
  int width = std::max({10, a.type == 'N' ? a.width : 10, b.type == 'N' ? b.width : 10});
  return FoxValue::Numeric(result, width, decimals);
}

int Decimals(const FoxValue& value) { return value.type == 'N' ? value.decimals : 0; }

std::string RightTrim(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

bool Truth(const FoxValue& value) {
  if (value.type == 'L') return value.logical;
  if (value.type == '0') return false;
  Fail(kErrorDataTypeMismatch, "Data type mismatch: a logical value is needed.");
}

}  // namespace

struct Interpreter::Frame {
  const Program* program = nullptr;
  const Procedure* procedure = nullptr;
  int line = 0;
  std::vector<FoxValue> arguments;
  std::vector<std::string> parameters;  // names bound by PARAMETERS / LPARAMETERS
  FoxValue result = FoxValue::Logical(true);
};

Interpreter::Interpreter(std::ostream& out) : out_(out) {
  frames_.push_back(std::make_unique<Frame>());  // the prompt's (or -e's) level
}

Interpreter::~Interpreter() = default;

Host MakeHost(std::ostream& out) {
  auto interpreter = std::make_unique<Interpreter>(out);
  Interpreter* raw = interpreter.get();
  Host host{std::make_unique<Runtime>(std::move(interpreter)), raw};
  raw->Attach(*host.runtime);
  return host;
}

// ----- running programs

void Interpreter::FinishOutput() {
  if (!at_line_start_) out_ << "\n";
  at_line_start_ = true;
  out_.flush();
}

void Interpreter::ShowLine(const std::string& text) {
  if (!at_line_start_) out_ << "\n";
  out_ << text << "\n";
  at_line_start_ = true;
}

void Interpreter::Report(const FoxError& error, std::ostream& err) {
  FinishOutput();
  auto* located = dynamic_cast<const ProgramError*>(&error);
  std::string file = located && !located->file().empty() ? located->file() : "foxhost";
  err << file;
  if (located && located->line() > 0) err << "(" << located->line() << ")";
  err << ": Error " << error.number() << ": " << error.what() << "\n";
  err.flush();
}

std::shared_ptr<Program> Interpreter::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(kErrorFileNotFound, "File '" + path + "' does not exist.");
  std::stringstream text;
  text << in.rdbuf();
  try {
    auto program = std::make_shared<Program>(ParseProgram(text.str(), path));
    programs_.push_back(program);
    return program;
  } catch (const ProgramError& error) {
    throw ProgramError(error.number(), error.message(), error.line(), "", path);
  }
}

int Interpreter::RunFile(const std::string& path, const std::vector<std::string>& arguments,
                         std::ostream& err) {
  std::shared_ptr<Program> program;
  try {
    program = Load(path);
  } catch (const FoxError& error) {
    Report(error, err);
    return 1;
  }
  std::vector<FoxValue> values;
  for (const std::string& argument : arguments) values.push_back(FoxValue::Character(argument));
  return Run(program, values, err);
}

int Interpreter::RunSource(const std::string& source, const std::string& name, std::ostream& err) {
  std::shared_ptr<Program> program;
  try {
    program = std::make_shared<Program>(ParseProgram(source, name));
    programs_.push_back(program);
  } catch (const ProgramError& error) {
    Report(ProgramError(error.number(), error.message(), error.line(), "", name), err);
    return 1;
  }
  return Run(program, {}, err);
}

int Interpreter::Run(std::shared_ptr<Program> program, const std::vector<FoxValue>& arguments,
                     std::ostream& err) {
  int status = 0;
  try {
    CallRoutine(program->main, *program, arguments, {});
  } catch (const Quit&) {
  } catch (const FoxError& error) {
    Report(error, err);
    status = 1;
  }
  FinishOutput();
  return status;
}

bool Interpreter::RunPromptLine(const std::string& line, std::ostream& err) {
  try {
    std::unique_ptr<Stmt> stmt = ParseStatement(line, 1);
    frames_.back()->line = 1;
    Exec(*stmt);
  } catch (const Quit&) {
    FinishOutput();
    return false;
  } catch (const FoxError& error) {
    Report(error, err);
  }
  FinishOutput();
  return !quit_;
}

std::string Interpreter::ProgramPath() const {
  for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame)
    if ((*frame)->program) {
      std::error_code ignored;
      fs::path path = fs::absolute((*frame)->program->file, ignored);
      return path.string();
    }
  return "";
}

int Interpreter::ParameterCount() const {
  return static_cast<int>(frames_.back()->arguments.size());
}

std::shared_ptr<Procedure> Interpreter::FindProcedure(const std::string& name,
                                                      const Program** program) const {
  // The running program's own routines first, then every program loaded.
  for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame) {
    const Program* own = (*frame)->program;
    if (!own) continue;
    if (auto it = own->procedures.find(name); it != own->procedures.end()) {
      *program = own;
      return it->second;
    }
    break;
  }
  for (auto candidate = programs_.rbegin(); candidate != programs_.rend(); ++candidate)
    if (auto it = (*candidate)->procedures.find(name); it != (*candidate)->procedures.end()) {
      *program = candidate->get();
      return it->second;
    }
  return nullptr;
}

// A routine runs with its own locals and privates; by-reference arguments
// (a variable name in `references`) get the parameter's last value back.
FoxValue Interpreter::CallRoutine(const Procedure& procedure, const Program& program,
                                  std::vector<FoxValue> arguments,
                                  const std::vector<std::string>& references) {
  if (frames_.size() > kMaxDepth) Fail(kErrorNestingTooDeep, "DO nesting too deep.");
  Variables& variables = runtime_->variables();
  auto frame = std::make_unique<Frame>();
  frame->program = &program;
  frame->procedure = &procedure;
  frame->line = procedure.line;
  frame->arguments = std::move(arguments);
  Frame& current = *frame;
  struct Leave {
    Interpreter& self;
    ~Leave() {
      self.runtime_->variables().LeaveRoutine();
      self.frames_.pop_back();
    }
  };
  FoxValue result;
  std::vector<std::pair<std::string, FoxValue>> copied;
  {
    frames_.push_back(std::move(frame));
    variables.EnterRoutine();
    Leave leave{*this};
    ExecBlock(procedure.body);
    result = current.result;
    for (size_t i = 0; i < references.size() && i < current.parameters.size(); ++i) {
      if (references[i].empty()) continue;
      std::optional<VariableId> id = variables.Find(current.parameters[i]);
      Variable* variable = id ? variables.Get(*id) : nullptr;
      if (variable && !variable->is_array) copied.emplace_back(references[i], variable->value);
    }
  }
  for (const auto& [name, value] : copied) variables.Assign(name, value);
  return result;
}

// ----- statements

ProgramError Interpreter::Locate(const FoxError& error, int line) const {
  if (auto* located = dynamic_cast<const ProgramError*>(&error); located && located->line() > 0)
    return *located;
  const Frame& frame = *frames_.back();
  std::string procedure = frame.procedure && !frame.procedure->name.empty()
                              ? frame.procedure->name
                              : frame.program ? fs::path(frame.program->file).stem().string() : "";
  std::string file = frame.program ? frame.program->file : "";
  auto* own = dynamic_cast<const ProgramError*>(&error);
  return ProgramError(error.number(), own ? own->message() : error.what(), line, procedure, file);
}

Interpreter::Flow Interpreter::ExecBlock(const Block& block) {
  for (const auto& stmt : block) {
    Flow flow;
    frames_.back()->line = stmt->line;
    try {
      flow = Exec(*stmt);
    } catch (const FoxError& error) {
      auto* located = dynamic_cast<const ProgramError*>(&error);
      if (located && located->line() > 0) throw;
      throw Locate(error, stmt->line);
    }
    if (quit_) throw Quit{};
    if (flow != Flow::kNormal) return flow;
  }
  return Flow::kNormal;
}

Interpreter::Flow Interpreter::Exec(const Stmt& stmt) {
  switch (stmt.kind) {
    case StmtKind::kAssign: Assign(*stmt.target, Eval(*stmt.value)); break;
    case StmtKind::kExpression: Eval(*stmt.value); break;
    case StmtKind::kStore: {
      FoxValue value = Eval(*stmt.value);
      for (const auto& target : stmt.targets) Assign(*target, value);
      break;
    }
    case StmtKind::kDeclare: ExecDeclare(stmt); break;
    case StmtKind::kRelease:
      if (stmt.flag) break;  // RELEASE ALL: this host keeps nothing it could release safely
      for (const Declared& item : stmt.declared) runtime_->variables().Release(item.name);
      break;
    case StmtKind::kParameters: ExecParameters(stmt); break;
    case StmtKind::kIf: return ExecIf(stmt);
    case StmtKind::kCase: return ExecCase(stmt);
    case StmtKind::kWhile: return ExecWhile(stmt);
    case StmtKind::kFor: return ExecFor(stmt);
    case StmtKind::kExit: return Flow::kExit;
    case StmtKind::kLoop: return Flow::kLoop;
    case StmtKind::kReturn:
      frames_.back()->result = stmt.value ? Eval(*stmt.value) : FoxValue::Logical(true);
      return Flow::kReturn;
    case StmtKind::kDo: ExecDo(stmt); break;
    case StmtKind::kTry: return ExecTry(stmt);
    case StmtKind::kThrow: Throw(stmt); break;
    case StmtKind::kPrint: ExecPrint(stmt); break;
    case StmtKind::kSetLibrary: ExecSetLibrary(stmt); break;
    case StmtKind::kReleaseLibrary: ExecReleaseLibrary(stmt); break;
    case StmtKind::kSetExact: exact_ = stmt.flag; break;
    case StmtKind::kQuit:
    case StmtKind::kCancel: throw Quit{};
    case StmtKind::kMacroLine: return ExecMacroLine(stmt);
    case StmtKind::kNothing: break;
  }
  return Flow::kNormal;
}

Interpreter::Flow Interpreter::ExecIf(const Stmt& stmt) {
  return ExecBlock(stmt.blocks[Truth(Eval(*stmt.value)) ? 0 : 1]);
}

Interpreter::Flow Interpreter::ExecCase(const Stmt& stmt) {
  for (size_t i = 0; i < stmt.conditions.size(); ++i) {
    frames_.back()->line = stmt.conditions[i]->line;
    if (Truth(Eval(*stmt.conditions[i]))) return ExecBlock(stmt.blocks[i]);
  }
  if (stmt.has_otherwise) return ExecBlock(stmt.blocks.back());
  return Flow::kNormal;
}

Interpreter::Flow Interpreter::ExecWhile(const Stmt& stmt) {
  for (;;) {
    frames_.back()->line = stmt.line;
    if (!Truth(Eval(*stmt.value))) return Flow::kNormal;
    Flow flow = ExecBlock(stmt.blocks[0]);
    if (flow == Flow::kExit) return Flow::kNormal;
    if (flow == Flow::kReturn) return flow;
  }
}

Interpreter::Flow Interpreter::ExecFor(const Stmt& stmt) {
  Variables& variables = runtime_->variables();
  FoxValue from = Eval(*stmt.value);
  FoxValue to = Eval(*stmt.limit);
  FoxValue step = stmt.step ? Eval(*stmt.step) : FoxValue::Integer(1);
  if (!from.IsNumber() || !to.IsNumber() || !step.IsNumber()) Mismatch();
  variables.Assign(stmt.name, from);
  for (;;) {
    frames_.back()->line = stmt.line;
    FoxValue counter = variables.Read(stmt.name);
    if (!counter.IsNumber()) Mismatch();
    double value = counter.AsDouble();
    double limit = to.AsDouble();
    if (step.AsDouble() >= 0 ? value > limit : value < limit) return Flow::kNormal;
    Flow flow = ExecBlock(stmt.blocks[0]);
    if (flow == Flow::kExit) return Flow::kNormal;
    if (flow == Flow::kReturn) return flow;
    counter = variables.Read(stmt.name);
    if (!counter.IsNumber()) Mismatch();
    variables.Assign(stmt.name, Arithmetic(counter.AsDouble() + step.AsDouble(), counter, step,
                                           std::max(Decimals(counter), Decimals(step))));
  }
}

FoxValue Interpreter::MakeException(const ProgramError& error) {
  int32_t id = next_object_++;
  auto& properties = objects_[id];
  properties["ERRORNO"] = FoxValue::Integer(error.number());
  properties["MESSAGE"] = FoxValue::Character(error.message());
  properties["LINENO"] = FoxValue::Integer(error.line());
  properties["PROCEDURE"] = FoxValue::Character(error.procedure());
  properties["LINECONTENTS"] = FoxValue::Character("");
  properties["DETAILS"] = FoxValue::Character("");
  properties["USERVALUE"] = error.has_user_value() ? error.user_value() : FoxValue::Character("");
  return Object(id);
}

Interpreter::Flow Interpreter::ExecTry(const Stmt& stmt) {
  Flow flow = Flow::kNormal;
  auto run_finally = [&] {
    if (stmt.has_finally) {
      Flow after = ExecBlock(stmt.blocks[2]);
      if (after != Flow::kNormal) flow = after;
    }
  };
  try {
    flow = ExecBlock(stmt.blocks[0]);
  } catch (const FoxError& error) {
    if (!stmt.has_otherwise) {
      run_finally();
      throw;
    }
    ProgramError located = Locate(error, stmt.line);
    if (!stmt.name.empty()) runtime_->variables().Assign(stmt.name, MakeException(located));
    try {
      flow = ExecBlock(stmt.blocks[1]);
    } catch (...) {
      run_finally();
      throw;
    }
  }
  run_finally();
  return flow;
}

void Interpreter::Throw(const Stmt& stmt) {
  const Frame& frame = *frames_.back();
  if (stmt.value) {
    FoxValue value = Eval(*stmt.value);
    if (value.type == 'O' && objects_.count(value.integer) && objects_[value.integer].count("ERRORNO")) {
      auto& properties = objects_[value.integer];
      ProgramError again(properties["ERRORNO"].type == 'I' ? properties["ERRORNO"].integer
                                                           : static_cast<int>(properties["ERRORNO"].number),
                         properties["MESSAGE"].text, properties["LINENO"].integer,
                         properties["PROCEDURE"].text, frame.program ? frame.program->file : "");
      again.set_user_value(properties["USERVALUE"]);
      throw again;
    }
    ProgramError error = Locate(ProgramError(kErrorUserThrown, "User Thrown Error.", 0), stmt.line);
    error.set_user_value(value);
    throw error;
  }
  throw Locate(ProgramError(kErrorUserThrown, "User Thrown Error.", 0), stmt.line);
}

void Interpreter::ExecDeclare(const Stmt& stmt) {
  Variables& variables = runtime_->variables();
  for (const Declared& item : stmt.declared) {
    Scope scope = stmt.scope == DeclareScope::kLocal    ? Scope::kLocal
                  : stmt.scope == DeclareScope::kPublic ? Scope::kPublic
                                                        : Scope::kPrivate;
    if (item.dimensions.empty()) {
      if (stmt.scope == DeclareScope::kPublic && variables.Find(item.name)) continue;
      variables.Create(item.name, scope);
      continue;
    }
    std::vector<int32_t> sizes;
    for (const auto& dimension : item.dimensions) {
      FoxValue size = Eval(*dimension);
      if (!size.IsNumber() || size.AsDouble() < 1 || size.AsDouble() > 65000)
        Fail(kErrorInvalidSubscript, "Invalid subscript reference.");
      sizes.push_back(static_cast<int32_t>(size.AsDouble()));
    }
    int32_t rows = sizes[0];
    int32_t columns = sizes.size() > 1 ? sizes[1] : 0;
    if (stmt.scope == DeclareScope::kDimension) {
      // Re-dimensioning an array keeps its scope and its elements, in order.
      if (std::optional<VariableId> id = variables.Find(item.name)) {
        Variable& array = *variables.Get(*id);
        std::vector<FoxValue> kept;
        if (array.is_array) kept.swap(array.elements);
        array.is_array = true;
        array.rows = rows;
        array.columns = columns;
        array.elements.assign(static_cast<size_t>(rows) * static_cast<size_t>(columns == 0 ? 1 : columns),
                              FoxValue::Logical(false));
        for (size_t i = 0; i < kept.size() && i < array.elements.size(); ++i) array.elements[i] = kept[i];
        continue;
      }
    }
    variables.CreateArray(item.name, scope, sizes[0], sizes.size() > 1 ? sizes[1] : 0);
  }
}

void Interpreter::ExecParameters(const Stmt& stmt) {
  Frame& frame = *frames_.back();
  if (stmt.declared.size() < frame.arguments.size())
    Fail(1238, "Must specify additional parameters.");
  Variables& variables = runtime_->variables();
  frame.parameters.clear();
  for (size_t i = 0; i < stmt.declared.size(); ++i) {
    const std::string& name = stmt.declared[i].name;
    VariableId id = variables.Create(name, stmt.flag ? Scope::kLocal : Scope::kPrivate);
    if (i < frame.arguments.size()) variables.Get(id)->value = frame.arguments[i];
    frame.parameters.push_back(name);
  }
}

void Interpreter::ExecDo(const Stmt& stmt) {
  std::vector<FoxValue> values;
  std::vector<std::string> references;
  for (const Argument& argument : stmt.arguments) {
    // DO ... WITH passes plain variables by reference.
    std::string reference = argument.reference;
    if (reference.empty() && argument.value && argument.value->kind == ExprKind::kName)
      reference = argument.value->name;
    if (!reference.empty() && runtime_->variables().Find(reference)) {
      values.push_back(runtime_->variables().Read(reference));
      references.push_back(reference);
    } else {
      if (!argument.value) Fail(kErrorInvalidArgument, "Missing argument.");
      values.push_back(Eval(*argument.value));
      references.emplace_back();
    }
  }
  const Program* owner = nullptr;
  if (!stmt.flag) {
    if (std::shared_ptr<Procedure> procedure = FindProcedure(NormalName(stmt.name), &owner)) {
      CallRoutine(*procedure, *owner, std::move(values), references);
      return;
    }
  }
  std::string file = stmt.name;
  if (fs::path(file).extension().empty()) file += ".prg";
  fs::path path(file);
  if (path.is_relative() && !fs::exists(path)) {
    std::string running = ProgramPath();
    if (!running.empty()) {
      fs::path beside = fs::path(running).parent_path() / path;
      if (fs::exists(beside)) path = beside;
    }
  }
  std::shared_ptr<Program> program = Load(path.string());
  CallRoutine(program->main, *program, std::move(values), references);
}

void Interpreter::ExecPrint(const Stmt& stmt) {
  std::string text;
  for (const auto& expr : stmt.values) {
    if (&expr != &stmt.values.front()) text += " ";
    text += Display(Eval(*expr));
  }
  if (!stmt.flag && !at_line_start_) out_ << "\n";
  at_line_start_ = false;
  out_ << text;
}

std::string Interpreter::FindLibrary(const std::string& name) const {
  std::vector<std::string> names{name};
  if (fs::path(name).extension().empty()) names.push_back(name + ".fll");
  std::vector<fs::path> folders{fs::path()};
  std::string running = ProgramPath();
  if (!running.empty()) folders.push_back(fs::path(running).parent_path());
  if (const char* search = std::getenv("FOXHOST_PATH")) {
    std::stringstream list(search);
    std::string folder;
    while (std::getline(list, folder, ':'))
      if (!folder.empty()) folders.push_back(folder);
  }
  for (const fs::path& folder : folders)
    for (const std::string& candidate : names) {
      fs::path path = folder.empty() ? fs::path(candidate) : folder / candidate;
      std::error_code ignored;
      if (fs::is_regular_file(path, ignored)) return path.string();
      if (fs::path(candidate).is_absolute()) break;
    }
  return "";
}

void Interpreter::ExecSetLibrary(const Stmt& stmt) {
  if (!stmt.value) {
    runtime_->ReleaseLibraries();
    return;
  }
  FoxValue name = Eval(*stmt.value);
  if (name.type != 'C') Mismatch();
  std::string path = FindLibrary(name.text);
  if (path.empty()) Fail(kErrorFileNotFound, "File '" + name.text + "' does not exist.");
  if (!stmt.flag) runtime_->ReleaseLibraries();
  runtime_->SetLibrary(fs::absolute(path).string());
}

void Interpreter::ExecReleaseLibrary(const Stmt& stmt) {
  FoxValue name = Eval(*stmt.value);
  if (name.type != 'C') Mismatch();
  if (!runtime_->ReleaseLibrary(name.text))
    Fail(kErrorFileNotFound, "File '" + name.text + "' does not exist.");
}

// "&name" and "&name." are replaced by the variable's text before the line
// is parsed.
std::string Interpreter::Substitute(const std::string& text) {
  Line line = LexLine(text, frames_.back()->line);
  std::string out;
  size_t copied = 0;
  for (const Token& token : line.tokens) {
    if (token.kind != TokenKind::kMacro) continue;
    out += text.substr(copied, token.offset - copied);
    FoxValue value = runtime_->variables().Read(token.text);
    if (value.type != 'C') Fail(kErrorDataTypeMismatch, "Macro variable " + NormalName(token.text) + " is not character.");
    out += value.text;
    size_t end = token.offset + 1 + token.text.size();
    if (end < text.size() && text[end] == '.') ++end;
    copied = end;
  }
  return out + text.substr(copied);
}

Interpreter::Flow Interpreter::ExecMacroLine(const Stmt& stmt) {
  std::unique_ptr<Stmt> substituted = ParseStatement(Substitute(stmt.name), stmt.line);
  return Exec(*substituted);
}

void Interpreter::Assign(const Expr& target, const FoxValue& value) {
  Variables& variables = runtime_->variables();
  switch (target.kind) {
    case ExprKind::kName:
      if (target.name == "_SCREEN") Mismatch();
      variables.Assign(target.name, value);
      return;
    case ExprKind::kCall: {
      std::optional<VariableId> id = variables.Find(target.name);
      Variable* array = id ? variables.Get(*id) : nullptr;
      if (!array || !array->is_array) Fail(kErrorVariableNotFound, "Variable '" + target.name + "' is not found.");
      Element(*array, target.arguments) = value;
      return;
    }
    case ExprKind::kMember: {
      FoxValue object = Eval(*target.left);
      if (object.type != 'O') Fail(kErrorPropertyNotFound, "Property " + target.name + " is not found.");
      if (object.integer == kScreenObject) {
        if (target.name != "TAG") Fail(kErrorPropertyNotFound, "Property " + target.name + " is not found.");
        runtime_->screen_tag() = value;
        return;
      }
      objects_[object.integer][target.name] = value;
      return;
    }
    default: Mismatch();
  }
}

// ----- expressions

FoxValue Interpreter::EvaluateText(const std::string& expression) {
  ExprPtr expr = ParseExpression(expression, frames_.back()->line);
  return Eval(*expr);
}

FoxValue Interpreter::Evaluate(Runtime& runtime, std::string_view expression) {
  runtime_ = &runtime;
  try {
    return EvaluateText(std::string(expression));
  } catch (const Quit&) {
    quit_ = true;
    return FoxValue::Logical(false);
  } catch (const FoxError& error) {
    throw Locate(error, frames_.back()->line);
  }
}

void Interpreter::Execute(Runtime& runtime, std::string_view statement) {
  runtime_ = &runtime;
  try {
    std::unique_ptr<Stmt> stmt = ParseStatement(statement, frames_.back()->line);
    Exec(*stmt);
  } catch (const Quit&) {
    quit_ = true;  // the program ends once the library has returned
  } catch (const FoxError& error) {
    // The library sees only the number; the host's warning shows the place.
    ProgramError located = Locate(error, frames_.back()->line);
    std::string place = located.file().empty()
                            ? std::string()
                            : located.file() + "(" + std::to_string(located.line()) + "): ";
    throw ProgramError(located.number(), place + located.message(), located.line(),
                       located.procedure(), located.file());
  }
}

FoxValue Interpreter::Property(const FoxValue& object, const std::string& name) {
  if (object.type != 'O') Fail(kErrorPropertyNotFound, "Property " + name + " is not found.");
  if (object.integer == kScreenObject) {
    if (name == "TAG") return runtime_->screen_tag();
    if (name == "CAPTION") return FoxValue::Character("foxhost");
    Fail(kErrorPropertyNotFound, "Property " + name + " is not found.");
  }
  auto& properties = objects_[object.integer];
  auto it = properties.find(name);
  if (it == properties.end()) Fail(kErrorPropertyNotFound, "Property " + name + " is not found.");
  return it->second;
}

FoxValue Interpreter::Eval(const Expr& expr) {
  switch (expr.kind) {
    case ExprKind::kLiteral: return expr.value;
    case ExprKind::kName: {
      if (expr.name == "_SCREEN") return Object(kScreenObject);
      std::optional<VariableId> id = runtime_->variables().Find(expr.name);
      if (!id) Fail(kErrorVariableNotFound, "Variable '" + expr.name + "' is not found.");
      return runtime_->variables().Read(expr.name);
    }
    case ExprKind::kCall: return EvalCall(expr);
    case ExprKind::kMember: return EvalMember(expr);
    case ExprKind::kUnary: {
      FoxValue operand = Eval(*expr.left);
      if (operand.type == '0') return operand;
      if (expr.name == "NOT") return FoxValue::Logical(!Truth(operand));
      if (operand.type == 'I' && operand.integer != INT32_MIN) return FoxValue::Integer(-operand.integer, operand.width);
      if (operand.type == 'N') {
        // -2147483648 is written as a minus and a number just out of range.
        if (operand.number == 2147483648.0 && operand.decimals == 0 && expr.left->kind == ExprKind::kLiteral)
          return FoxValue::Integer(INT32_MIN);
        FoxValue negated = operand;
        negated.number = -operand.number;
        return negated;
      }
      if (operand.type == 'I') return FoxValue::Numeric(-static_cast<double>(operand.integer));
      Mismatch();
    }
    case ExprKind::kBinary: return EvalBinary(expr);
    case ExprKind::kMacro: {
      FoxValue text = runtime_->variables().Read(expr.name);
      if (text.type != 'C') Fail(kErrorDataTypeMismatch, "Macro variable " + expr.name + " is not character.");
      return EvaluateText(text.text);
    }
    case ExprKind::kCast: return EvalCast(expr);
  }
  Mismatch();
}

FoxValue Interpreter::EvalMember(const Expr& expr) {
  FoxValue object = Eval(*expr.left);
  if (expr.is_call) Fail(1733, "Method " + expr.name + " is not found.");
  return Property(object, expr.name);
}

FoxValue Interpreter::EvalCast(const Expr& expr) {
  FoxValue value = Eval(*expr.left);
  const std::string& type = expr.name;
  auto is = [&](const char* full, const char* letter) { return type == full || type == letter; };
  if (value.type == '0') return value;
  if (is("INTEGER", "I")) {
    if (value.type == 'L') return FoxValue::Integer(value.logical ? 1 : 0);
    if (!value.IsNumber()) Mismatch();
    double number = std::trunc(value.AsDouble());
    if (number < INT32_MIN || number > INT32_MAX) Fail(1305, "Numeric overflow. Data was lost.");
    return FoxValue::Integer(static_cast<int32_t>(number));
  }
  if (is("NUMERIC", "N") || is("DOUBLE", "B") || is("FLOAT", "F")) {
    if (!value.IsNumber()) Mismatch();
    return FoxValue::Numeric(value.AsDouble(), 10, Decimals(value));
  }
  if (is("CHARACTER", "C") || is("VARCHAR", "V") || is("MEMO", "M")) {
    if (value.type == 'C') return value;
    if (value.type == 'L') return FoxValue::Character(value.logical ? "T" : "F");
    if (value.IsNumber()) return FoxValue::Character(FormatNumber(value.AsDouble(), Decimals(value)));
    Mismatch();
  }
  if (is("LOGICAL", "L")) {
    if (value.type == 'L') return value;
    if (value.IsNumber()) return FoxValue::Logical(value.AsDouble() != 0);
    Mismatch();
  }
  Fail(kErrorInvalidArgument, "CAST to " + type + " is not supported.");
}

// a(i), a(i, j), a[i]: one subscript counts row by row through two dimensions.
FoxValue& Interpreter::Element(Variable& array, const std::vector<Argument>& subscripts) {
  std::vector<int32_t> subs;
  for (const Argument& argument : subscripts) {
    if (!argument.value) Fail(kErrorInvalidSubscript, "Invalid subscript reference.");
    FoxValue sub = Eval(*argument.value);
    if (!sub.IsNumber()) Fail(kErrorDataTypeMismatch, "Data type mismatch: a subscript must be a number.");
    subs.push_back(static_cast<int32_t>(sub.AsDouble()));
  }
  if (subs.empty() || subs.size() > 2) Fail(kErrorInvalidSubscript, "Invalid subscript reference.");
  return Variables::Element(array, static_cast<int>(subs.size()), subs[0], subs.size() > 1 ? subs[1] : 0);
}

FoxValue Interpreter::EvalCall(const Expr& expr) {
  Variables& variables = runtime_->variables();
  const std::string& name = expr.name;
  // An array element.
  if (std::optional<VariableId> id = variables.Find(name)) {
    Variable* variable = variables.Get(*id);
    if (variable->is_array) return Element(*variable, expr.arguments);
  }
  if (expr.brackets) Fail(kErrorVariableNotFound, "Variable '" + name + "' is not found.");

  // IIF evaluates only the branch it answers.
  if (name == "IIF") {
    if (expr.arguments.size() != 3 || !expr.arguments[0].value || !expr.arguments[1].value || !expr.arguments[2].value)
      Fail(kErrorInvalidArgument, ErrorText(kErrorInvalidArgument));
    return Eval(*expr.arguments[Truth(Eval(*expr.arguments[0].value)) ? 1 : 2].value);
  }

  if (const Builtin* builtin = FindBuiltin(name)) {
    BuiltinCall call{*this, {}, {}};
    for (const Argument& argument : expr.arguments) {
      if (!argument.value) Fail(kErrorInvalidArgument, ErrorText(kErrorInvalidArgument));
      Variable* array = nullptr;
      if (argument.value->kind == ExprKind::kName) {
        if (std::optional<VariableId> id = variables.Find(argument.value->name)) {
          Variable* variable = variables.Get(*id);
          if (variable->is_array) array = variable;
        }
      } else if (!argument.reference.empty()) {
        Fail(kErrorInvalidArgument, ErrorText(kErrorInvalidArgument));
      }
      call.arrays.push_back(array);
      call.arguments.push_back(array && array->elements.empty() ? FoxValue::Logical(false)
                                                                 : Eval(*argument.value));
    }
    return (*builtin)(call);
  }

  const Program* owner = nullptr;
  if (std::shared_ptr<Procedure> procedure = FindProcedure(name, &owner)) {
    std::vector<FoxValue> values;
    std::vector<std::string> references;
    for (const Argument& argument : expr.arguments) {
      if (!argument.reference.empty()) {
        values.push_back(variables.Read(argument.reference));
        references.push_back(argument.reference);
      } else {
        values.push_back(argument.value ? Eval(*argument.value) : FoxValue::Logical(false));
        references.emplace_back();
      }
    }
    return CallRoutine(*procedure, *owner, std::move(values), references);
  }

  return CallLibrary(name, expr.arguments);
}

FoxValue Interpreter::CallLibrary(const std::string& name, const std::vector<Argument>& arguments) {
  bool known = false;
  for (const auto& library : runtime_->libraries())
    if (library->Function(name)) known = true;
  if (!known) Fail(kErrorFileNotFound, "File '" + NormalName(name).substr(0) + ".prg' does not exist.");
  std::vector<foxhost::Argument> values;
  for (const Argument& argument : arguments) {
    if (!argument.reference.empty()) {
      if (!runtime_->variables().Find(argument.reference))
        Fail(kErrorVariableNotFound, "Variable '" + argument.reference + "' is not found.");
      values.push_back(foxhost::Argument::Reference(argument.reference));
    } else if (argument.value) {
      values.emplace_back(Eval(*argument.value));
    } else {
      Fail(kErrorInvalidArgument, ErrorText(kErrorInvalidArgument) + " (an argument left out)");
    }
  }
  try {
    return runtime_->Call(name, std::move(values));
  } catch (const ProgramError&) {
    throw;
  } catch (const FoxError& error) {
    throw ProgramError(error.number(), error.what(), 0);
  }
}

FoxValue Interpreter::EvalBinary(const Expr& expr) {
  const std::string& op = expr.name;
  if (op == "AND" || op == "OR") {
    bool left = Truth(Eval(*expr.left));
    if (op == "AND" && !left) return FoxValue::Logical(false);
    if (op == "OR" && left) return FoxValue::Logical(true);
    return FoxValue::Logical(Truth(Eval(*expr.right)));
  }
  FoxValue a = Eval(*expr.left);
  FoxValue b = Eval(*expr.right);
  if (a.type == '0' || b.type == '0') return FoxValue::Null();

  if (op == "+" || op == "-") {
    if (a.type == 'C' && b.type == 'C') {
      if (op == "+") return FoxValue::Character(a.text + b.text);
      // "-" moves the left side's trailing blanks to the end.
      std::string trimmed = RightTrim(a.text);
      return FoxValue::Character(trimmed + b.text + std::string(a.text.size() - trimmed.size(), ' '));
    }
    if (!a.IsNumber() || !b.IsNumber()) Mismatch();
    double result = op == "+" ? a.AsDouble() + b.AsDouble() : a.AsDouble() - b.AsDouble();
    return Arithmetic(result, a, b, std::max(Decimals(a), Decimals(b)));
  }
  if (op == "*" || op == "/" || op == "%" || op == "^") {
    if (!a.IsNumber() || !b.IsNumber()) Mismatch();
    double x = a.AsDouble(), y = b.AsDouble();
    if (op == "*") return Arithmetic(x * y, a, b, Decimals(a) + Decimals(b));
    if (op == "^") return Arithmetic(std::pow(x, y), a, b, std::max({2, Decimals(a), Decimals(b)}));
    if (y == 0) Fail(kErrorDivisionByZero, "Division by zero.");
    if (op == "/") return Arithmetic(x / y, a, b, std::max({2, Decimals(a), Decimals(b)}));
    double r = std::fmod(x, y);
    if (r != 0 && ((r < 0) != (y < 0))) r += y;  // the result takes the divisor's sign
    return Arithmetic(r, a, b, std::max(Decimals(a), Decimals(b)));
  }
  if (op == "$") {
    if (a.type != 'C' || b.type != 'C') Mismatch();
    return FoxValue::Logical(b.text.find(a.text) != std::string::npos);
  }

  // Comparisons.
  int order = 0;
  if (a.type == 'C' && b.type == 'C') {
    std::string x = a.text, y = b.text;
    if (op == "==") return FoxValue::Logical(x == y);
    if (exact_) {
      size_t length = std::max(x.size(), y.size());
      x.resize(length, ' ');
      y.resize(length, ' ');
    } else if (x.size() > y.size()) {
      x.resize(y.size());  // SET EXACT OFF: the right side's length decides
    } else {
      x.resize(y.size(), ' ');
    }
    order = x.compare(y);
  } else if (a.IsNumber() && b.IsNumber()) {
    order = a.AsDouble() < b.AsDouble() ? -1 : a.AsDouble() > b.AsDouble() ? 1 : 0;
  } else if (a.type == 'L' && b.type == 'L') {
    order = static_cast<int>(a.logical) - static_cast<int>(b.logical);
  } else {
    Mismatch();
  }
  bool result = op == "=" || op == "==" ? order == 0
              : op == "<>"              ? order != 0
              : op == "<"               ? order < 0
              : op == ">"               ? order > 0
              : op == "<="              ? order <= 0
                                        : order >= 0;
  return FoxValue::Logical(result);
}

}  // namespace foxhost::language
