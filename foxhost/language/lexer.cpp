#include "foxhost/language/lexer.h"

#include <cctype>

#include "foxhost/language/program_error.h"

namespace foxhost::language {
namespace {

bool IsAlpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsNameChar(char c) { return IsAlpha(c) || IsDigit(c); }

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// ".T." and friends at `pos`; answers the word and its length with dots.
bool DotWord(std::string_view text, size_t pos, std::string* word, size_t* length) {
  static const char* const kWords[] = {"T", "F", "Y", "N", "NULL", "AND", "OR", "NOT"};
  for (const char* candidate : kWords) {
    std::string_view w(candidate);
    if (pos + w.size() + 2 > text.size() || text[pos + w.size() + 1] != '.') continue;
    if (Upper(text.substr(pos + 1, w.size())) != w) continue;
    *word = w == "Y" ? "T" : w == "N" ? "F" : std::string(w);
    *length = w.size() + 2;
    return true;
  }
  return false;
}

// Whether "[" opens a string here: not right after something it could subscript.
bool OpensString(const std::vector<Token>& tokens) {
  if (tokens.empty()) return true;
  const Token& last = tokens.back();
  if (last.kind == TokenKind::kName) return false;
  return !(last.kind == TokenKind::kOperator && (last.text == ")" || last.text == "]"));
}

std::vector<Token> Tokens(std::string_view text, int line) {
  std::vector<Token> tokens;
  size_t pos = 0;
  auto add = [&](TokenKind kind, std::string value, size_t start) {
    tokens.push_back({kind, std::move(value), start});
  };
  while (pos < text.size()) {
    char c = text[pos];
    size_t start = pos;
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++pos;
    } else if (c == '&' && pos + 1 < text.size() && text[pos + 1] == '&') {
      break;  // comment to the end of the line
    } else if (IsAlpha(c)) {
      while (pos < text.size() && IsNameChar(text[pos])) ++pos;
      add(TokenKind::kName, std::string(text.substr(start, pos - start)), start);
    } else if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
      pos += 2;
      while (pos < text.size() && std::isxdigit(static_cast<unsigned char>(text[pos]))) ++pos;
      add(TokenKind::kNumber, std::string(text.substr(start, pos - start)), start);
    } else if (IsDigit(c) || (c == '.' && pos + 1 < text.size() && IsDigit(text[pos + 1]))) {
      while (pos < text.size() && IsDigit(text[pos])) ++pos;
      if (pos + 1 < text.size() && text[pos] == '.' && IsDigit(text[pos + 1])) {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) ++pos;
      } else if (pos < text.size() && text[pos] == '.' && start == pos) {
        ++pos;
      }
      add(TokenKind::kNumber, std::string(text.substr(start, pos - start)), start);
    } else if (c == '"' || c == '\'' || (c == '[' && OpensString(tokens))) {
      char close = c == '[' ? ']' : c;
      size_t end = text.find(close, pos + 1);
      if (end == std::string_view::npos)
        throw SyntaxError(std::string("closing ") + close + " expected (to close the text opened at column " +
                              std::to_string(start + 1) + ")",
                          line);
      add(TokenKind::kString, std::string(text.substr(pos + 1, end - pos - 1)), start);
      pos = end + 1;
    } else if (c == '.') {
      std::string word;
      size_t length = 0;
      if (DotWord(text, pos, &word, &length)) {
        add(TokenKind::kDotWord, word, start);
        pos += length;
      } else {
        add(TokenKind::kOperator, ".", start);
        ++pos;
      }
    } else if (c == '&') {
      ++pos;
      while (pos < text.size() && IsNameChar(text[pos])) ++pos;
      if (pos == start + 1) throw SyntaxError("a variable name expected after &", line);
      std::string name(text.substr(start + 1, pos - start - 1));
      if (pos < text.size() && text[pos] == '.') ++pos;  // "&name." ends the name
      add(TokenKind::kMacro, name, start);
    } else {
      static const char* const kPairs[] = {"**", "==", "<>", "!=", "<=", ">=", "??"};
      std::string op(1, c);
      for (const char* pair : kPairs)
        if (text.substr(pos, 2) == pair) op = pair;
      if (std::string_view("+-*/%^=#<>$!()[],.@?;:").find(c) == std::string_view::npos)
        throw SyntaxError(std::string("unexpected character '") + c + "'", line);
      add(TokenKind::kOperator, op, start);
      pos += op.size();
    }
  }
  tokens.push_back({TokenKind::kEnd, "", text.size()});
  return tokens;
}

bool IsCommentLine(std::string_view text) {
  size_t pos = text.find_first_not_of(" \t");
  if (pos == std::string_view::npos) return false;
  if (text[pos] == '*') return true;
  if (Upper(text.substr(pos, 4)) != "NOTE") return false;
  return pos + 4 == text.size() || !IsNameChar(text[pos + 4]);
}

bool Continues(const std::vector<Token>& tokens) {
  return tokens.size() >= 2 && tokens[tokens.size() - 2].kind == TokenKind::kOperator &&
         tokens[tokens.size() - 2].text == ";";
}

}  // namespace

Line LexLine(std::string_view text, int number) {
  Line line;
  line.number = number;
  line.text = std::string(text);
  line.tokens = Tokens(line.text, number);
  return line;
}

std::vector<Line> Lex(std::string_view source) {
  std::vector<std::string> physical;
  size_t start = 0;
  while (start <= source.size()) {
    size_t end = source.find('\n', start);
    if (end == std::string_view::npos) end = source.size();
    std::string text(source.substr(start, end - start));
    if (!text.empty() && text.back() == '\r') text.pop_back();
    physical.push_back(std::move(text));
    start = end + 1;
  }

  std::vector<Line> lines;
  for (size_t i = 0; i < physical.size(); ++i) {
    if (IsCommentLine(physical[i])) continue;
    Line line = LexLine(physical[i], static_cast<int>(i) + 1);
    while (Continues(line.tokens) && i + 1 < physical.size()) {
      std::string joined = line.text.substr(0, line.tokens[line.tokens.size() - 2].offset);
      joined += " " + physical[++i];
      line.text = joined;
      line.tokens = Tokens(line.text, line.number);
    }
    if (line.tokens.size() > 1) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace foxhost::language
