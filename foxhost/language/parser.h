// The second phase: logical lines into a tree. Syntax errors (error 10) name
// the line, what was expected and what it closes.
#pragma once

#include <string>
#include <string_view>

#include "foxhost/language/ast.h"
#include "foxhost/language/lexer.h"

namespace foxhost::language {

// A whole program: the main body, then its PROCEDUREs and FUNCTIONs.
Program ParseProgram(std::string_view source, const std::string& file);

// One statement (a line run by a library or typed at the prompt). Block
// statements are refused.
std::unique_ptr<Stmt> ParseStatement(std::string_view text, int line);

// One expression, with nothing after it.
ExprPtr ParseExpression(std::string_view text, int line);

// Whether `word` names `keyword`: the whole word, or four letters or more of
// it where FoxPro allows commands to be abbreviated.
bool IsKeyword(std::string_view word, std::string_view keyword);

}  // namespace foxhost::language
