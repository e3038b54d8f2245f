// The first phase: program text into logical lines of tokens. One statement
// a line; a line ending in ";" goes on with the next; "*" and NOTE lines and
// "&&" tails are comments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace foxhost::language {

enum class TokenKind {
  kName,      // letters, digits, "_"
  kNumber,    // 12, 1.5, .5, 0x1F
  kString,    // "...", '...', [...] (text holds the contents)
  kDotWord,   // .T. .F. .NULL. .AND. .OR. .NOT. (text in upper case, no dots)
  kMacro,     // &name (text holds the name)
  kOperator,  // + - * / % ^ ** = == <> != # < > <= >= $ ! ( ) [ ] , . @ ? ?? ;
  kEnd,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;
  size_t offset = 0;  // in the line's text
};

struct Line {
  int number = 0;  // the first physical line, from 1
  std::string text;
  std::vector<Token> tokens;  // always ends with kEnd
};

// Throws ProgramError (error 10) naming the line for an unclosed string or a
// character no token starts with.
std::vector<Line> Lex(std::string_view source);

// One line of text (a statement or an expression) as a single logical line.
Line LexLine(std::string_view text, int number);

}  // namespace foxhost::language
