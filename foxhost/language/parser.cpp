#include "foxhost/language/parser.h"

#include <cctype>
#include <cstdlib>
#include <utility>

#include "foxhost/language/program_error.h"
#include "foxhost/runtime/variables.h"

namespace foxhost::language {

bool IsKeyword(std::string_view word, std::string_view keyword) {
  if (word.size() > keyword.size()) return false;
  if (word.size() < keyword.size() && word.size() < 4) return false;
  return NormalName(word) == keyword.substr(0, word.size());
}

namespace {

// What a block ends on, and what it was opened by (for messages).
struct Opening {
  std::string keyword;
  int line;
  std::string closer;
};

class Parser {
 public:
  explicit Parser(std::vector<Line> lines) : lines_(std::move(lines)) {}

  // program := block { (PROCEDURE | FUNCTION) name [params] block [ENDPROC | ENDFUNC] }
  Program ParseProgram(const std::string& file) {
    Program program;
    program.file = file;
    program.main.line = 1;
    program.main.body = ParseBlock({"PROCEDURE", "FUNCTION"}, nullptr);
    while (index_ < lines_.size()) {
      Begin(lines_[index_++]);
      auto procedure = std::make_shared<Procedure>();
      procedure->line = line_->number;
      Next();  // PROCEDURE / FUNCTION
      procedure->name = NormalName(ExpectName("a routine name"));
      if (Peek().text == "(") {  // FUNCTION f(a, b) declares its parameters in place
        auto parameters = std::make_unique<Stmt>();
        parameters->kind = StmtKind::kParameters;
        parameters->line = line_->number;
        parameters->flag = true;
        Next();
        if (!AcceptOp(")")) {
          do parameters->declared.push_back({NormalName(ExpectName("a parameter name")), {}});
          while (AcceptOp(","));
          ExpectOp(")", "the parameter list");
        }
        procedure->body.push_back(std::move(parameters));
      }
      ExpectEnd();
      Block body = ParseBlock({"PROCEDURE", "FUNCTION", "ENDPROC", "ENDFUNC"}, nullptr);
      for (auto& stmt : body) procedure->body.push_back(std::move(stmt));
      if (index_ < lines_.size() && (FirstIs("ENDPROC") || FirstIs("ENDFUNC"))) ++index_;
      program.procedures[procedure->name] = procedure;
    }
    return program;
  }

  // single := statement (not one that opens or closes a block)
  std::unique_ptr<Stmt> ParseSingle() {
    Begin(lines_.at(0));
    if (FirstIsAny({"IF", "ELSE", "ENDIF", "FOR", "ENDFOR", "NEXT", "TRY", "CATCH", "FINALLY",
                    "ENDTRY", "CASE", "OTHERWISE", "ENDCASE", "ENDDO", "PROCEDURE", "FUNCTION"}) ||
        (FirstIs("DO") && (IsKeyword(lines_[0].tokens[1].text, "WHILE") ||
                           IsKeyword(lines_[0].tokens[1].text, "CASE"))))
      throw SyntaxError("a single statement expected, not a block", line_->number);
    return Statement();
  }

  // whole := expression end
  ExprPtr ParseWholeExpression() {
    Begin(lines_.at(0));
    ExprPtr expr = Expression();
    ExpectEnd();
    return expr;
  }

 private:
  // ----- tokens of the current line

  void Begin(const Line& line) {
    line_ = &line;
    pos_ = 0;
  }
  const Token& Peek(size_t ahead = 0) const {
    size_t at = std::min(pos_ + ahead, line_->tokens.size() - 1);
    return line_->tokens[at];
  }
  const Token& Next() {
    const Token& token = Peek();
    if (pos_ + 1 < line_->tokens.size()) ++pos_;
    return token;
  }
  bool AtEnd() const { return Peek().kind == TokenKind::kEnd; }
  bool IsOp(const Token& token, std::string_view op) const {
    return token.kind == TokenKind::kOperator && token.text == op;
  }
  bool AcceptOp(std::string_view op) {
    if (!IsOp(Peek(), op)) return false;
    Next();
    return true;
  }
  bool AcceptWord(std::string_view keyword) {
    if (Peek().kind != TokenKind::kName || !IsKeyword(Peek().text, keyword)) return false;
    Next();
    return true;
  }
  bool PeekWord(std::string_view keyword, size_t ahead = 0) const {
    return Peek(ahead).kind == TokenKind::kName && IsKeyword(Peek(ahead).text, keyword);
  }

  std::string Found() const {
    const Token& token = Peek();
    switch (token.kind) {
      case TokenKind::kEnd: return "the end of the line";
      case TokenKind::kString: return "a text";
      default: return "\"" + token.text + "\"";
    }
  }
  [[noreturn]] void Expected(const std::string& what) const {
    throw SyntaxError(what + " expected, found " + Found(), line_->number);
  }
  void ExpectOp(std::string_view op, const std::string& closes) {
    if (!AcceptOp(op)) Expected("\"" + std::string(op) + "\" (to close " + closes + ")");
  }
  void ExpectWord(std::string_view keyword) {
    if (!AcceptWord(keyword)) Expected(std::string(keyword));
  }
  std::string ExpectName(const std::string& what) {
    if (Peek().kind != TokenKind::kName) Expected(what);
    return Next().text;
  }
  void ExpectEnd() {
    if (!AtEnd()) Expected("the end of the statement");
  }
  // The line's text from the current token on, as written.
  std::string RestText() {
    std::string text = line_->text.substr(Peek().offset);
    pos_ = line_->tokens.size() - 1;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    return text;
  }

  bool FirstIs(std::string_view keyword) const {
    const Token& first = lines_[index_].tokens[0];
    const Token& second = lines_[index_].tokens[1];
    if (first.kind != TokenKind::kName || !IsKeyword(first.text, keyword)) return false;
    return !(second.kind == TokenKind::kOperator && (second.text == "=" || second.text == "."));
  }
  bool FirstIsAny(std::initializer_list<std::string_view> keywords) const {
    for (std::string_view keyword : keywords)
      if (FirstIs(keyword)) return true;
    return false;
  }

  // ----- blocks

  // block := { statement } up to a line starting with one of `ends`
  Block ParseBlock(std::initializer_list<std::string_view> ends, const Opening* opening) {
    Block block;
    while (index_ < lines_.size()) {
      for (std::string_view end : ends)
        if (FirstIs(end)) return block;
      if (opening && (FirstIs("PROCEDURE") || FirstIs("FUNCTION"))) break;
      Begin(lines_[index_++]);
      block.push_back(Statement());
    }
    if (opening) {
      throw SyntaxError(opening->closer + " expected (to close " + opening->keyword + " at line " +
                            std::to_string(opening->line) + ")",
                        index_ < lines_.size() ? lines_[index_].number
                                               : lines_.empty() ? 1 : lines_.back().number);
    }
    return block;
  }

  // Consumes the line that ends a block (already known to start with a keyword).
  void EndLine() {
    Begin(lines_[index_++]);
    Next();
  }

  std::unique_ptr<Stmt> Make(StmtKind kind) {
    auto stmt = std::make_unique<Stmt>();
    stmt->kind = kind;
    stmt->line = line_->number;
    return stmt;
  }

  // ----- statements

  // statement := command | target "=" expression | "=" expression | call
  std::unique_ptr<Stmt> Statement() {
    // A line with &name is parsed once substituted, when it runs; in the
    // condition of a block statement &name is an expression of its own.
    bool opens_block = Peek().kind == TokenKind::kName &&
                       (IsKeyword(Peek().text, "IF") || IsKeyword(Peek().text, "DO") ||
                        IsKeyword(Peek().text, "CASE") || IsKeyword(Peek().text, "FOR"));
    for (const Token& token : line_->tokens)
      if (token.kind == TokenKind::kMacro && !opens_block) {
        auto stmt = Make(StmtKind::kMacroLine);
        stmt->name = line_->text;
        return stmt;
      }
    const Token& first = Peek();
    if (IsOp(first, "?") || IsOp(first, "??")) return Print();
    if (IsOp(first, "=")) {
      Next();
      auto stmt = Make(StmtKind::kExpression);
      stmt->value = Expression();
      ExpectEnd();
      return stmt;
    }
    if (first.kind != TokenKind::kName) Expected("a statement");
    const Token& second = Peek(1);
    bool assignment_like = IsOp(second, "=") || IsOp(second, ".");
    if (!assignment_like) {
      if (auto stmt = Command()) return stmt;
    }
    return AssignmentOrCall();
  }

  // assignment := target "=" expression ; call := name "(" arguments ")"
  std::unique_ptr<Stmt> AssignmentOrCall() {
    ExprPtr target = Postfix();
    if (AcceptOp("=")) {
      if (target->kind != ExprKind::kName && target->kind != ExprKind::kCall &&
          !(target->kind == ExprKind::kMember && !target->is_call))
        throw SyntaxError("a variable, array element or property expected before \"=\"",
                          line_->number);
      auto stmt = Make(StmtKind::kAssign);
      stmt->target = std::move(target);
      stmt->value = Expression();
      ExpectEnd();
      return stmt;
    }
    if (target->kind != ExprKind::kCall && !(target->kind == ExprKind::kMember && target->is_call))
      throw SyntaxError("unrecognized command: \"" + line_->tokens[0].text + "\"", line_->number);
    auto stmt = Make(StmtKind::kExpression);
    stmt->value = std::move(target);
    ExpectEnd();
    return stmt;
  }

  // command := keyword ... (the keyword's own rule); null when the line starts with no command
  std::unique_ptr<Stmt> Command() {
    const std::string word = Peek().text;
    auto is = [&](std::string_view keyword) { return IsKeyword(word, keyword); };
    if (is("IF")) return If();
    if (is("DO")) return Do();
    if (is("FOR")) return For();
    if (is("TRY")) return Try();
    if (is("STORE")) return Store();
    if (is("LOCAL")) return Declare(DeclareScope::kLocal);
    if (is("PRIVATE")) return Declare(DeclareScope::kPrivate);
    if (is("PUBLIC")) return Declare(DeclareScope::kPublic);
    if (is("DIMENSION") || is("DECLARE")) return Declare(DeclareScope::kDimension);
    if (is("RELEASE")) return Release();
    if (is("PARAMETERS") || is("LPARAMETERS")) return Parameters(is("LPARAMETERS"));
    if (is("RETURN")) return Return();
    if (is("THROW")) return Throw();
    if (is("SET")) return Set();
    if (is("EXIT")) return Simple(StmtKind::kExit);
    if (is("LOOP")) return Simple(StmtKind::kLoop);
    if (is("QUIT")) return Simple(StmtKind::kQuit);
    if (is("CANCEL")) return Simple(StmtKind::kCancel);
    if (is("CLEAR")) {
      auto stmt = Make(StmtKind::kNothing);
      RestText();
      return stmt;
    }
    for (std::string_view stray : {"ELSE", "ENDIF", "ENDDO", "ENDFOR", "NEXT", "CASE", "OTHERWISE",
                                   "ENDCASE", "CATCH", "FINALLY", "ENDTRY", "ENDPROC", "ENDFUNC"})
      if (is(stray))
        throw SyntaxError(NormalName(word) + " without the statement it closes", line_->number);
    return nullptr;
  }

  // simple := EXIT | LOOP | QUIT | CANCEL
  std::unique_ptr<Stmt> Simple(StmtKind kind) {
    Next();
    auto stmt = Make(kind);
    ExpectEnd();
    return stmt;
  }

  // print := ("?" | "??") [ expression { "," expression } ]
  std::unique_ptr<Stmt> Print() {
    auto stmt = Make(StmtKind::kPrint);
    stmt->flag = Next().text == "??";
    if (!AtEnd()) {
      do stmt->values.push_back(Expression());
      while (AcceptOp(","));
    }
    ExpectEnd();
    return stmt;
  }

  // if := IF condition block [ELSE block] ENDIF
  std::unique_ptr<Stmt> If() {
    Next();
    auto stmt = Make(StmtKind::kIf);
    Opening opening{"IF", stmt->line, "ENDIF"};
    stmt->value = Expression();
    AcceptWord("THEN");
    ExpectEnd();
    stmt->blocks.push_back(ParseBlock({"ENDIF", "ELSE"}, &opening));
    stmt->blocks.emplace_back();
    if (FirstIs("ELSE")) {
      EndLine();
      ExpectEnd();
      stmt->blocks.back() = ParseBlock({"ENDIF"}, &opening);
    }
    EndLine();
    return stmt;
  }

  // do := DO WHILE condition block ENDDO | DO CASE {CASE c block} [OTHERWISE block] ENDCASE
  //     | DO name [WITH arguments]
  std::unique_ptr<Stmt> Do() {
    Next();
    if (AcceptWord("WHILE")) {
      auto stmt = Make(StmtKind::kWhile);
      Opening opening{"DO WHILE", stmt->line, "ENDDO"};
      stmt->value = Expression();
      ExpectEnd();
      stmt->blocks.push_back(ParseBlock({"ENDDO"}, &opening));
      EndLine();
      return stmt;
    }
    if (PeekWord("CASE") && Peek(1).kind == TokenKind::kEnd) {
      Next();
      auto stmt = Make(StmtKind::kCase);
      Opening opening{"DO CASE", stmt->line, "ENDCASE"};
      // Lines between DO CASE and the first CASE are ignored, as FoxPro does.
      ParseBlock({"CASE", "OTHERWISE", "ENDCASE"}, &opening);
      while (FirstIs("CASE")) {
        EndLine();
        stmt->conditions.push_back(Expression());
        ExpectEnd();
        stmt->blocks.push_back(ParseBlock({"CASE", "OTHERWISE", "ENDCASE"}, &opening));
      }
      if (FirstIs("OTHERWISE")) {
        EndLine();
        ExpectEnd();
        stmt->has_otherwise = true;
        stmt->blocks.push_back(ParseBlock({"ENDCASE"}, &opening));
      }
      if (!FirstIs("ENDCASE")) ParseBlock({"ENDCASE"}, &opening);
      EndLine();
      return stmt;
    }
    auto stmt = Make(StmtKind::kDo);
    // The target runs up to WITH: a routine name or a program file.
    size_t start = Peek().offset;
    size_t end = line_->text.size();
    while (!AtEnd() && !PeekWord("WITH")) Next();
    if (!AtEnd()) end = Peek().offset;
    std::string target = line_->text.substr(start, end - start);
    while (!target.empty() && std::isspace(static_cast<unsigned char>(target.back()))) target.pop_back();
    if (target.empty()) Expected("a routine or program name after DO");
    if (target.size() >= 2 && (target[0] == '"' || target[0] == '\'')) target = target.substr(1, target.size() - 2);
    stmt->name = target;
    stmt->flag = target.find_first_of("./\\") != std::string::npos;
    if (AcceptWord("WITH")) {
      do stmt->arguments.push_back(ArgumentExpr());
      while (AcceptOp(","));
    }
    ExpectEnd();
    return stmt;
  }

  // for := FOR name "=" from TO to [STEP step] block (ENDFOR | NEXT)
  std::unique_ptr<Stmt> For() {
    Next();
    auto stmt = Make(StmtKind::kFor);
    Opening opening{"FOR", stmt->line, "ENDFOR"};
    if (PeekWord("EACH")) throw SyntaxError("FOR EACH is not supported", line_->number);
    stmt->name = VariableName();
    ExpectOp("=", "FOR " + stmt->name);
    stmt->value = Expression();
    ExpectWord("TO");
    stmt->limit = Expression();
    if (AcceptWord("STEP")) stmt->step = Expression();
    ExpectEnd();
    stmt->blocks.push_back(ParseBlock({"ENDFOR", "NEXT"}, &opening));
    EndLine();
    if (!AtEnd()) Next();  // NEXT i
    return stmt;
  }

  // try := TRY block [CATCH [TO name] block] [FINALLY block] ENDTRY
  std::unique_ptr<Stmt> Try() {
    Next();
    ExpectEnd();
    auto stmt = Make(StmtKind::kTry);
    Opening opening{"TRY", stmt->line, "ENDTRY"};
    stmt->blocks.push_back(ParseBlock({"ENDTRY", "CATCH", "FINALLY"}, &opening));
    stmt->blocks.emplace_back();
    stmt->blocks.emplace_back();
    if (FirstIs("CATCH")) {
      EndLine();
      stmt->has_otherwise = true;
      if (AcceptWord("TO")) stmt->name = VariableName();
      ExpectEnd();
      stmt->blocks[1] = ParseBlock({"ENDTRY", "FINALLY"}, &opening);
    }
    if (FirstIs("FINALLY")) {
      EndLine();
      ExpectEnd();
      stmt->has_finally = true;
      stmt->blocks[2] = ParseBlock({"ENDTRY"}, &opening);
    }
    EndLine();
    return stmt;
  }

  // store := STORE expression TO target { "," target }
  std::unique_ptr<Stmt> Store() {
    Next();
    auto stmt = Make(StmtKind::kStore);
    stmt->value = Expression();
    ExpectWord("TO");
    do stmt->targets.push_back(Postfix());
    while (AcceptOp(","));
    ExpectEnd();
    return stmt;
  }

  // name := ["m" "."] identifier
  std::string VariableName() {
    std::string name = ExpectName("a variable name");
    if (NormalName(name) == "M" && AcceptOp(".")) name = ExpectName("a variable name after m.");
    return NormalName(name);
  }

  // declare := (LOCAL | PRIVATE | PUBLIC | DIMENSION) [ARRAY] item { "," item }
  // item := name [ ("(" | "[") expression ["," expression] (")" | "]") ]
  std::unique_ptr<Stmt> Declare(DeclareScope scope) {
    Next();
    auto stmt = Make(StmtKind::kDeclare);
    stmt->scope = scope;
    if (scope != DeclareScope::kDimension && PeekWord("ARRAY") && Peek(1).kind == TokenKind::kName) Next();
    if (scope == DeclareScope::kPrivate && PeekWord("ALL")) {  // PRIVATE ALL: nothing to hide here
      RestText();
      stmt->kind = StmtKind::kNothing;
      return stmt;
    }
    do {
      Declared item;
      item.name = VariableName();
      if (IsOp(Peek(), "(") || IsOp(Peek(), "[")) {
        std::string close = Next().text == "(" ? ")" : "]";
        do item.dimensions.push_back(Expression());
        while (AcceptOp(","));
        ExpectOp(close, "the dimensions of " + item.name);
      } else if (scope == DeclareScope::kDimension) {
        Expected("\"(\" with the dimensions of " + item.name);
      }
      if (AcceptWord("AS")) ExpectName("a type name");
      stmt->declared.push_back(std::move(item));
    } while (AcceptOp(","));
    ExpectEnd();
    return stmt;
  }

  // release := RELEASE LIBRARY path | RELEASE ALL | RELEASE name { "," name }
  std::unique_ptr<Stmt> Release() {
    Next();
    if (AcceptWord("LIBRARY")) {
      auto stmt = Make(StmtKind::kReleaseLibrary);
      stmt->value = PathOperand(nullptr);
      return stmt;
    }
    auto stmt = Make(StmtKind::kRelease);
    if (AcceptWord("ALL")) {
      stmt->flag = true;
      ExpectEnd();
      return stmt;
    }
    do stmt->declared.push_back({VariableName(), {}});
    while (AcceptOp(","));
    ExpectEnd();
    return stmt;
  }

  // parameters := (PARAMETERS | LPARAMETERS) name { "," name }
  std::unique_ptr<Stmt> Parameters(bool local) {
    Next();
    auto stmt = Make(StmtKind::kParameters);
    stmt->flag = local;
    do {
      stmt->declared.push_back({VariableName(), {}});
      if (AcceptWord("AS")) ExpectName("a type name");
    } while (AcceptOp(","));
    ExpectEnd();
    return stmt;
  }

  // return := RETURN [expression]
  std::unique_ptr<Stmt> Return() {
    Next();
    auto stmt = Make(StmtKind::kReturn);
    if (!AtEnd()) stmt->value = Expression();
    ExpectEnd();
    return stmt;
  }

  // throw := THROW [expression]
  std::unique_ptr<Stmt> Throw() {
    Next();
    auto stmt = Make(StmtKind::kThrow);
    if (!AtEnd()) stmt->value = Expression();
    ExpectEnd();
    return stmt;
  }

  // path := text | "(" expression ")" | characters up to the end (or ADDITIVE)
  // A file named as written (marlune.fll, ..\lib\x.fll) becomes a literal.
  ExprPtr PathOperand(bool* additive) {
    if (Peek().kind == TokenKind::kString || IsOp(Peek(), "(")) {
      ExprPtr path = Expression();
      if (additive) *additive = AcceptWord("ADDITIVE");
      ExpectEnd();
      return path;
    }
    std::string text = RestText();
    if (additive) {
      size_t space = text.find_last_of(" \t");
      if (space != std::string::npos && IsKeyword(text.substr(space + 1), "ADDITIVE")) {
        *additive = true;
        text = text.substr(0, space);
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
      }
    }
    if (text.empty()) Expected("a file name");
    auto path = std::make_unique<Expr>();
    path->kind = ExprKind::kLiteral;
    path->line = line_->number;
    path->value = FoxValue::Character(text);
    return path;
  }

  // set := SET LIBRARY TO [path [ADDITIVE]] | SET EXACT (ON | OFF) | SET option ...
  std::unique_ptr<Stmt> Set() {
    Next();
    if (AcceptWord("LIBRARY")) {
      ExpectWord("TO");
      auto stmt = Make(StmtKind::kSetLibrary);
      if (!AtEnd()) stmt->value = PathOperand(&stmt->flag);
      return stmt;
    }
    if (AcceptWord("EXACT")) {
      auto stmt = Make(StmtKind::kSetExact);
      if (AcceptWord("ON")) stmt->flag = true;
      else if (!AcceptWord("OFF")) Expected("ON or OFF");
      ExpectEnd();
      return stmt;
    }
    // Options that change nothing this host shows (TALK, SAFETY ...).
    ExpectName("a SET option");
    auto stmt = Make(StmtKind::kNothing);
    RestText();
    return stmt;
  }

  // ----- expressions

  ExprPtr Node(ExprKind kind, std::string name = {}) {
    auto expr = std::make_unique<Expr>();
    expr->kind = kind;
    expr->line = line_->number;
    expr->name = std::move(name);
    return expr;
  }
  ExprPtr Binary(std::string op, ExprPtr left, ExprPtr right) {
    ExprPtr expr = Node(ExprKind::kBinary, std::move(op));
    expr->left = std::move(left);
    expr->right = std::move(right);
    return expr;
  }

  // expression := and { (OR | .OR.) and }
  ExprPtr Expression() {
    ExprPtr left = And();
    while (AcceptWord("OR") || AcceptDot("OR")) left = Binary("OR", std::move(left), And());
    return left;
  }
  bool AcceptDot(std::string_view word) {
    if (Peek().kind != TokenKind::kDotWord || Peek().text != word) return false;
    Next();
    return true;
  }

  // and := not { (AND | .AND.) not }
  ExprPtr And() {
    ExprPtr left = Not();
    while (AcceptWord("AND") || AcceptDot("AND")) left = Binary("AND", std::move(left), Not());
    return left;
  }

  // not := (NOT | .NOT. | "!") not | comparison
  ExprPtr Not() {
    if (AcceptWord("NOT") || AcceptDot("NOT") || AcceptOp("!")) {
      ExprPtr expr = Node(ExprKind::kUnary, "NOT");
      expr->left = Not();
      return expr;
    }
    return Comparison();
  }

  // comparison := additive { ("=" | "==" | "<>" | "!=" | "#" | "<" | ">" | "<=" | ">=" | "$") additive }
  ExprPtr Comparison() {
    ExprPtr left = Additive();
    for (;;) {
      const Token& token = Peek();
      if (token.kind != TokenKind::kOperator) return left;
      std::string op = token.text;
      if (op == "!=" || op == "#") op = "<>";
      if (op != "=" && op != "==" && op != "<>" && op != "<" && op != ">" && op != "<=" &&
          op != ">=" && op != "$")
        return left;
      Next();
      left = Binary(op, std::move(left), Additive());
    }
  }

  // additive := multiplicative { ("+" | "-") multiplicative }
  ExprPtr Additive() {
    ExprPtr left = Multiplicative();
    while (IsOp(Peek(), "+") || IsOp(Peek(), "-")) {
      std::string op = Next().text;
      left = Binary(op, std::move(left), Multiplicative());
    }
    return left;
  }

  // multiplicative := unary { ("*" | "/" | "%") unary }
  ExprPtr Multiplicative() {
    ExprPtr left = Unary();
    while (IsOp(Peek(), "*") || IsOp(Peek(), "/") || IsOp(Peek(), "%")) {
      std::string op = Next().text;
      left = Binary(op, std::move(left), Unary());
    }
    return left;
  }

  // unary := ("-" | "+") unary | power
  ExprPtr Unary() {
    if (IsOp(Peek(), "-") || IsOp(Peek(), "+")) {
      std::string op = Next().text;
      ExprPtr operand = Unary();
      if (op == "+") return operand;
      ExprPtr expr = Node(ExprKind::kUnary, "-");
      expr->left = std::move(operand);
      return expr;
    }
    return Power();
  }

  // power := postfix [ ("^" | "**") unary ]
  ExprPtr Power() {
    ExprPtr left = Postfix();
    if (IsOp(Peek(), "^") || IsOp(Peek(), "**")) {
      Next();
      return Binary("^", std::move(left), Unary());
    }
    return left;
  }

  // postfix := primary { "." name [ "(" arguments ")" ] }
  ExprPtr Postfix() {
    ExprPtr expr = Primary();
    while (IsOp(Peek(), ".") && Peek(1).kind == TokenKind::kName) {
      Next();
      ExprPtr member = Node(ExprKind::kMember, NormalName(Next().text));
      member->left = std::move(expr);
      if (AcceptOp("(")) {
        member->is_call = true;
        member->arguments = Arguments(")", member->name);
      }
      expr = std::move(member);
    }
    return expr;
  }

  // arguments := [ argument { "," argument } ] close
  std::vector<Argument> Arguments(std::string_view close, const std::string& of) {
    std::vector<Argument> arguments;
    if (AcceptOp(close)) return arguments;
    do {
      if (IsOp(Peek(), ",") || IsOp(Peek(), close)) arguments.push_back({});  // left out
      else arguments.push_back(ArgumentExpr());
    } while (AcceptOp(","));
    ExpectOp(close, "the arguments of " + of);
    return arguments;
  }

  // argument := "@" name | expression
  Argument ArgumentExpr() {
    Argument argument;
    if (AcceptOp("@")) argument.reference = VariableName();
    else argument.value = Expression();
    return argument;
  }

  // primary := number | text | .T. | .F. | .NULL. | "(" expression ")" | &name
  //          | CAST "(" expression AS type ")" | ["m" "."] name [ ("(" | "[") arguments (")" | "]") ]
  ExprPtr Primary() {
    const Token& token = Peek();
    switch (token.kind) {
      case TokenKind::kNumber: return Number(Next().text);
      case TokenKind::kString: {
        ExprPtr expr = Node(ExprKind::kLiteral);
        expr->value = FoxValue::Character(Next().text);
        return expr;
      }
      case TokenKind::kDotWord: {
        if (token.text != "T" && token.text != "F" && token.text != "NULL") Expected("an operand");
        ExprPtr expr = Node(ExprKind::kLiteral);
        expr->value = token.text == "NULL" ? FoxValue::Null() : FoxValue::Logical(token.text == "T");
        Next();
        return expr;
      }
      case TokenKind::kMacro: return Node(ExprKind::kMacro, NormalName(Next().text));
      case TokenKind::kName: break;
      default:
        if (AcceptOp("(")) {
          ExprPtr expr = Expression();
          ExpectOp(")", "the parenthesis");
          return expr;
        }
        Expected("an operand");
    }
    std::string name = Next().text;
    if (NormalName(name) == "M" && IsOp(Peek(), ".") && Peek(1).kind == TokenKind::kName) {
      Next();
      return Node(ExprKind::kName, NormalName(Next().text));
    }
    if (NormalName(name) == "CAST" && AcceptOp("(")) {
      ExprPtr expr = Node(ExprKind::kCast);
      expr->left = Expression();
      ExpectWord("AS");
      expr->name = NormalName(ExpectName("a type name"));
      if (AcceptOp("(")) {  // Character(10), Numeric(10, 2): the width is not kept
        Arguments(")", "the type");
      }
      ExpectOp(")", "CAST");
      return expr;
    }
    if (IsOp(Peek(), "(") || IsOp(Peek(), "[")) {
      std::string close = Next().text == "(" ? ")" : "]";
      ExprPtr expr = Node(ExprKind::kCall, NormalName(name));
      expr->brackets = close == "]";
      expr->arguments = Arguments(close, NormalName(name));
      return expr;
    }
    return Node(ExprKind::kName, NormalName(name));
  }

  // number := digits ["." digits] | "." digits | "0x" hexdigits
  // A whole number within 32 bits is an integer; others are numeric, shown
  // with the decimals written.
  ExprPtr Number(const std::string& text) {
    ExprPtr expr = Node(ExprKind::kLiteral);
    if (text.size() > 2 && (text[1] == 'x' || text[1] == 'X')) {
      double value = static_cast<double>(std::strtoull(text.c_str() + 2, nullptr, 16));
      expr->value = value <= INT32_MAX ? FoxValue::Integer(static_cast<int32_t>(value))
                                       : FoxValue::Numeric(value, 10, 0);
      return expr;
    }
    double value = std::strtod(text.c_str(), nullptr);
    size_t dot = text.find('.');
    int decimals = dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
    // The minus sign of "-5" belongs to unary minus; INT32_MIN's magnitude still fits as numeric
    // and is folded back by the evaluator.
    if (decimals == 0 && dot == std::string::npos && value <= INT32_MAX)
      expr->value = FoxValue::Integer(static_cast<int32_t>(value));
    else
      expr->value = FoxValue::Numeric(value, std::max(10, static_cast<int>(text.size())), decimals);
    return expr;
  }

  std::vector<Line> lines_;
  size_t index_ = 0;
  const Line* line_ = nullptr;
  size_t pos_ = 0;
};

}  // namespace

Program ParseProgram(std::string_view source, const std::string& file) {
  return Parser(Lex(source)).ParseProgram(file);
}

std::unique_ptr<Stmt> ParseStatement(std::string_view text, int line) {
  std::vector<Line> lines{LexLine(text, line)};
  if (lines[0].tokens.size() == 1) {
    auto stmt = std::make_unique<Stmt>();
    stmt->kind = StmtKind::kNothing;
    stmt->line = line;
    return stmt;
  }
  return Parser(std::move(lines)).ParseSingle();
}

ExprPtr ParseExpression(std::string_view text, int line) {
  return Parser({LexLine(text, line)}).ParseWholeExpression();
}

}  // namespace foxhost::language
