// The host's own small evaluator, in use until the FoxPro language plugs in.
//
//   statement  := target "=" expression | ["="] expression
//   target     := "_screen.tag" | name [ "(" expression ["," expression] ")" ]
//   expression := literal | "_screen.tag" | name [ "(" arguments ")" ]
//   argument   := "@" name | expression
//   literal    := "text" | 'text' | [text] | [-]digits[.digits] | .T. | .F. | .NULL.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "foxhost/runtime/evaluator.h"
#include "foxhost/runtime/fox_error.h"
#include "foxhost/runtime/runtime.h"

namespace foxhost {
namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c)); }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

class Parser {
 public:
  Parser(Runtime& runtime, std::string_view text) : runtime_(runtime), text_(text) {}

  FoxValue WholeExpression() {
    FoxValue value = Expression();
    ExpectEnd();
    return value;
  }

  void Statement() {
    if (Accept('=')) {
      Expression();
      ExpectEnd();
      return;
    }
    size_t start = pos_;
    if (IsNameStart(Peek())) {
      std::string name = Name();
      if (IsScreenTag(name)) {
        if (Accept('=')) {
          runtime_.screen_tag() = Expression();
          ExpectEnd();
          return;
        }
      } else {
        std::vector<int32_t> subscripts;
        if (Peek() == '(') subscripts = Subscripts();
        if (Accept('=')) {
          FoxValue value = Expression();
          ExpectEnd();
          Assign(name, subscripts, value);
          return;
        }
      }
    }
    pos_ = start;
    Expression();
    ExpectEnd();
  }

 private:
  char Peek() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }

  bool Accept(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }

  [[noreturn]] void SyntaxError(const std::string& expected) {
    throw FoxError(kErrorSyntax, expected + " expected at column " + std::to_string(pos_ + 1) +
                                     " of: " + std::string(text_));
  }

  void Expect(char c) {
    if (!Accept(c)) SyntaxError(std::string("\"") + c + "\"");
  }

  void ExpectEnd() {
    if (Peek() != '\0') SyntaxError("end of statement");
  }

  // A name, with one ".member" when one follows.
  std::string Name() {
    Peek();
    size_t start = pos_;
    while (pos_ < text_.size() && (IsNameChar(text_[pos_]) ||
                                   (text_[pos_] == '.' && pos_ + 1 < text_.size() &&
                                    IsNameStart(text_[pos_ + 1]))))
      ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }

  static bool IsScreenTag(const std::string& name) { return NormalName(name) == "_SCREEN.TAG"; }

  std::vector<int32_t> Subscripts() {
    Expect('(');
    std::vector<int32_t> subscripts;
    do {
      FoxValue index = Expression();
      if (!index.IsNumber()) throw FoxError(kErrorDataTypeMismatch, "a subscript must be a number");
      subscripts.push_back(static_cast<int32_t>(index.AsDouble()));
    } while (Accept(','));
    Expect(')');
    return subscripts;
  }

  void Assign(const std::string& name, const std::vector<int32_t>& subscripts,
              const FoxValue& value) {
    Variables& variables = runtime_.variables();
    if (subscripts.empty()) {
      variables.Assign(name, value);
      return;
    }
    std::optional<VariableId> id = variables.Find(name);
    if (!id) throw FoxError(kErrorVariableNotFound, "'" + NormalName(name) + "'");
    Variables::Element(*variables.Get(*id), static_cast<int>(subscripts.size()), subscripts[0],
                       subscripts.size() > 1 ? subscripts[1] : 0) = value;
  }

  FoxValue Expression() {
    char c = Peek();
    if (c == '"' || c == '\'' || c == '[') return Text();
    if (IsDigit(c) || (c == '-' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1])))
      return Number();
    if (c == '.') return Constant();
    if (IsNameStart(c)) return NameExpression();
    SyntaxError("an expression");
  }

  FoxValue Text() {
    char open = text_[pos_++];
    char close = open == '[' ? ']' : open;
    size_t end = text_.find(close, pos_);
    if (end == std::string_view::npos) SyntaxError(std::string("closing ") + close);
    std::string text(text_.substr(pos_, end - pos_));
    pos_ = end + 1;
    return FoxValue::Character(std::move(text));
  }

  // A whole number within 32 bits is an integer, every other number numeric.
  FoxValue Number() {
    size_t start = pos_;
    if (text_[pos_] == '-') ++pos_;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    int decimals = 0;
    if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsDigit(text_[pos_ + 1])) {
      ++pos_;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_, ++decimals;
    }
    std::string literal(text_.substr(start, pos_ - start));
    double number = std::strtod(literal.c_str(), nullptr);
    if (decimals == 0 && number >= INT32_MIN && number <= INT32_MAX)
      return FoxValue::Integer(static_cast<int32_t>(number), 10);
    return FoxValue::Numeric(number, std::max<int>(10, static_cast<int>(literal.size())), decimals);
  }

  FoxValue Constant() {
    for (auto [spelling, value] : {std::pair{".T.", FoxValue::Logical(true)},
                                   std::pair{".F.", FoxValue::Logical(false)},
                                   std::pair{".NULL.", FoxValue::Null()}}) {
      std::string_view word(spelling);
      if (NormalName(text_.substr(pos_, word.size())) == word) {
        pos_ += word.size();
        return value;
      }
    }
    SyntaxError("a constant");
  }

  FoxValue NameExpression() {
    std::string name = Name();
    if (IsScreenTag(name)) return runtime_.screen_tag();
    if (name.find('.') != std::string::npos)
      throw FoxError(kErrorVariableNotFound, "'" + NormalName(name) + "'");
    if (Peek() != '(') return runtime_.variables().Read(name);
    if (std::optional<VariableId> id = runtime_.variables().Find(name)) {
      Variable* variable = runtime_.variables().Get(*id);
      if (variable->is_array) {
        std::vector<int32_t> subscripts = Subscripts();
        return Variables::Element(*variable, static_cast<int>(subscripts.size()), subscripts[0],
                                  subscripts.size() > 1 ? subscripts[1] : 0);
      }
    }
    return runtime_.Call(name, Arguments());
  }

  std::vector<Argument> Arguments() {
    Expect('(');
    std::vector<Argument> arguments;
    if (Accept(')')) return arguments;
    do {
      if (Accept('@')) arguments.push_back(Argument::Reference(Name()));
      else arguments.emplace_back(Expression());
    } while (Accept(','));
    Expect(')');
    return arguments;
  }

  Runtime& runtime_;
  std::string_view text_;
  size_t pos_ = 0;
};

class BasicEvaluator : public Evaluator {
 public:
  FoxValue Evaluate(Runtime& runtime, std::string_view expression) override {
    return Parser(runtime, expression).WholeExpression();
  }
  void Execute(Runtime& runtime, std::string_view statement) override {
    Parser(runtime, statement).Statement();
  }
};

}  // namespace

std::unique_ptr<Evaluator> MakeBasicEvaluator() { return std::make_unique<BasicEvaluator>(); }

}  // namespace foxhost
