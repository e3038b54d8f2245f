// The tree the parser builds and the interpreter walks.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foxhost/runtime/fox_value.h"

namespace foxhost::language {

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

enum class ExprKind {
  kLiteral,   // value
  kName,      // name (a variable; "m." already dropped)
  kCall,      // name(args) or name[args]: an array element or a function
  kMember,    // object.name, object.name(args) when is_call
  kUnary,     // op operand
  kBinary,    // left op right
  kMacro,     // &name: the variable's text evaluated as an expression
  kCast,      // CAST(operand AS name)
};

struct Argument {
  ExprPtr value;          // null when passed by reference or left out
  std::string reference;  // @name
};

struct Expr {
  ExprKind kind;
  int line = 0;
  FoxValue value;
  std::string name;  // variable, function, member, operator or cast type
  std::vector<Argument> arguments;
  bool is_call = false;   // kMember: a method call
  bool brackets = false;  // kCall written with [ ]: an array element only
  ExprPtr left, right;    // kUnary uses left; kMember's object is left
};

struct Stmt;
using Block = std::vector<std::unique_ptr<Stmt>>;

enum class StmtKind {
  kAssign,       // target = value
  kExpression,   // a call standing alone, or "= expression"
  kStore,        // STORE value TO targets
  kDeclare,      // LOCAL / PRIVATE / PUBLIC / DIMENSION: names, with dimensions for arrays
  kRelease,      // RELEASE names
  kParameters,   // PARAMETERS / LPARAMETERS names
  kIf,           // IF condition / ELSE / ENDIF
  kCase,         // DO CASE: conditions[i] with blocks[i]; otherwise
  kWhile,        // DO WHILE condition
  kFor,          // FOR name = from TO to [STEP step]
  kExit,
  kLoop,
  kReturn,       // RETURN [value]
  kDo,           // DO name [WITH arguments]
  kTry,          // TRY / CATCH [TO name] / FINALLY / ENDTRY
  kThrow,        // THROW [value]
  kPrint,        // ? or ?? values
  kSetLibrary,   // SET LIBRARY TO [path [ADDITIVE]]
  kReleaseLibrary,
  kSetExact,
  kQuit,
  kCancel,
  kMacroLine,    // a line with &name: substituted and parsed when it runs
  kNothing,      // SET options this host does not keep, CLEAR ...
};

enum class DeclareScope { kLocal, kPrivate, kPublic, kDimension };

struct Declared {
  std::string name;
  std::vector<ExprPtr> dimensions;  // empty: a plain variable
};

struct Stmt {
  StmtKind kind;
  int line = 0;
  ExprPtr target;                 // kAssign
  ExprPtr value;                  // most: the expression
  std::vector<ExprPtr> targets;   // kStore
  std::vector<ExprPtr> values;    // kPrint
  std::vector<Declared> declared; // kDeclare, kRelease, kParameters
  DeclareScope scope = DeclareScope::kPrivate;
  bool flag = false;              // ?? (no new line), LPARAMETERS, ADDITIVE, EXACT ON,
                                  // DO name given as a file, RELEASE ALL
  std::string name;               // FOR variable, DO target, CATCH TO variable, raw text
  ExprPtr limit, step;            // kFor
  std::vector<Argument> arguments;  // kDo
  std::vector<ExprPtr> conditions;  // kCase
  std::vector<Block> blocks;        // kIf: then, else; kCase: one per CASE, then OTHERWISE;
                                    // kWhile/kFor: body; kTry: try, catch, finally
  bool has_otherwise = false;       // kCase; kTry: has a CATCH
  bool has_finally = false;         // kTry
};

struct Procedure {
  std::string name;  // upper case; empty for a program's main body
  int line = 0;
  Block body;
};

struct Program {
  std::string file;  // as it was named when loaded
  Procedure main;
  std::map<std::string, std::shared_ptr<Procedure>> procedures;  // by upper-case name
};

}  // namespace foxhost::language
