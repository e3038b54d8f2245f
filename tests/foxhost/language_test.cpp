// The FoxPro subset phase by phase: the lexer's tokens, the parser's syntax
// errors, and the interpreter's results, on a host with no library loaded.
#include <gtest/gtest.h>

#include <sstream>

#include "foxhost/language/display.h"
#include "foxhost/language/interpreter.h"
#include "foxhost/language/lexer.h"
#include "foxhost/language/parser.h"

namespace foxhost::language {
namespace {

std::string Kinds(const Line& line) {
  std::string out;
  for (const Token& token : line.tokens) {
    switch (token.kind) {
      case TokenKind::kName: out += "n:"; break;
      case TokenKind::kNumber: out += "#:"; break;
      case TokenKind::kString: out += "s:"; break;
      case TokenKind::kDotWord: out += "d:"; break;
      case TokenKind::kMacro: out += "&:"; break;
      case TokenKind::kOperator: out += "o:"; break;
      case TokenKind::kEnd: return out;
    }
    out += token.text + " ";
  }
  return out;
}

TEST(Lexer, SplitsALineIntoTokens) {
  struct Case {
    const char* text;
    const char* tokens;
  } cases[] = {
      {"x = 1.5 && comment", "n:x o:= #:1.5 "},
      {"a[1] = [text]", "n:a o:[ #:1 o:] o:= s:text "},
      {"? 'it''s'", "o:? s:it s:s "},
      {"IF .t. .AND. !.F.", "n:IF d:T d:AND o:! d:F "},
      {"m.x == 0x1F", "n:m o:. n:x o:== #:0x1F "},
      {"&cmd. + &x", "&:cmd o:+ &:x "},
      {"a <> b != c ** 2 >= .5", "n:a o:<> n:b o:!= n:c o:** #:2 o:>= #:.5 "},
      {"_screen.tag", "n:_screen o:. n:tag "},
  };
  for (const Case& c : cases) EXPECT_EQ(Kinds(LexLine(c.text, 1)), c.tokens) << c.text;
}

TEST(Lexer, JoinsContinuedLinesAndDropsComments) {
  std::vector<Line> lines = Lex("* comment\nNOTE also\nx = 1 + ;\n  2 && more\n\n  notes = 3\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].number, 3);
  EXPECT_EQ(Kinds(lines[0]), "n:x o:= #:1 o:+ #:2 ");
  EXPECT_EQ(lines[1].number, 6);  // NOTE comments only as a word of its own
}

TEST(Lexer, AnUnclosedTextNamesItsLine) {
  try {
    Lex("x = 1\ny = 'open\n");
    FAIL() << "no error";
  } catch (const ProgramError& error) {
    EXPECT_EQ(error.number(), 10);
    EXPECT_EQ(error.line(), 2);
  }
}

TEST(Parser, KeywordsMayBeAbbreviatedToFourLetters) {
  EXPECT_TRUE(IsKeyword("dime", "DIMENSION"));
  EXPECT_TRUE(IsKeyword("Procedure", "PROCEDURE"));
  EXPECT_TRUE(IsKeyword("if", "IF"));
  EXPECT_FALSE(IsKeyword("dim", "DIMENSION"));
  EXPECT_FALSE(IsKeyword("dimensions", "DIMENSION"));
  EXPECT_FALSE(IsKeyword("ret", "RETURN"));
}

TEST(Parser, SyntaxErrorsNameTheLineWhatWasExpectedAndWhatItCloses) {
  struct Case {
    const char* source;
    int line;
    const char* message;
  } cases[] = {
      {"x = 1\nIF x = 1\n  ? x\n", 3, "ENDIF expected (to close IF at line 2)"},
      {"DO WHILE .T.\nENDIF\n", 2, "ENDIF without the statement it closes"},
      {"DO WHILE .T.\n", 1, "ENDDO expected (to close DO WHILE at line 1)"},
      {"DO CASE\nCASE .T.\n", 2, "ENDCASE expected (to close DO CASE at line 1)"},
      {"TRY\nCATCH\n", 2, "ENDTRY expected (to close TRY at line 1)"},
      {"FOR i = 1\nENDFOR\n", 1, "TO expected, found the end of the line"},
      {"x = LEN('a'\n", 1, "\")\" (to close the arguments of LEN) expected"},
      {"x = (1 + 2\n", 1, "\")\" (to close the parenthesis) expected"},
      {"x = 1 +\n", 1, "an operand expected, found the end of the line"},
      {"FOR i = 1 TO 2\nPROCEDURE p\n", 2, "ENDFOR expected (to close FOR at line 1)"},
      {"frobnicate the thing\n", 1, "unrecognized command"},
      {"ELSE\n", 1, "ELSE without the statement it closes"},
      {"x = 1 2\n", 1, "the end of the statement expected, found \"2\""},
  };
  for (const Case& c : cases) {
    try {
      ParseProgram(c.source, "t.prg");
      ADD_FAILURE() << "no error for: " << c.source;
    } catch (const ProgramError& error) {
      EXPECT_EQ(error.number(), 10) << c.source;
      EXPECT_EQ(error.line(), c.line) << c.source;
      EXPECT_NE(error.message().find(c.message), std::string::npos) << c.source << "\n" << error.message();
    }
  }
}

TEST(Parser, ProceduresFollowTheMainBody) {
  Program program = ParseProgram("? 1\nPROCEDURE One\n? 2\nENDPROC\nFUNCTION two(a, b)\nRETURN a\n", "p.prg");
  EXPECT_EQ(program.main.body.size(), 1u);
  ASSERT_EQ(program.procedures.size(), 2u);
  ASSERT_TRUE(program.procedures.count("TWO"));
  const Stmt& parameters = *program.procedures["TWO"]->body.front();
  EXPECT_EQ(parameters.kind, StmtKind::kParameters);
  EXPECT_EQ(parameters.declared.size(), 2u);
}

class Interpreted : public ::testing::Test {
 protected:
  std::string Show(const std::string& expression) {
    return Display(host_.runtime->Evaluate(expression));
  }
  // Runs program text; answers what it printed and, after "|", what it reported.
  std::string Run(const std::string& source) {
    std::ostringstream err;
    int status = host_.interpreter->RunSource(source, "t.prg", err);
    std::string out = output_.str();
    output_.str("");
    return out + "|" + err.str() + (status ? "1" : "0");
  }

  std::ostringstream output_;
  Host host_ = MakeHost(output_);
};

TEST_F(Interpreted, NumberLiteralsTakeTheirType) {
  struct Case {
    const char* literal;
    FoxValue value;
  } cases[] = {
      {"5", FoxValue::Integer(5)},
      {"-2147483648", FoxValue::Integer(INT32_MIN)},
      {"2147483648", FoxValue::Numeric(2147483648.0)},
      {"1.5", FoxValue::Numeric(1.5)},
      {"0x10", FoxValue::Integer(16)},
      {"[a 'b']", FoxValue::Character("a 'b'")},
      {".null.", FoxValue::Null()},
  };
  for (const Case& c : cases) EXPECT_EQ(host_.runtime->Evaluate(c.literal), c.value) << c.literal;
}

TEST_F(Interpreted, ExpressionsShowAsFoxProShowsThem) {
  struct Case {
    const char* expression;
    const char* shown;
  } cases[] = {
      {"1 + 2", "         3"},
      {"7 / 2", "      3.50"},
      {"1.25 * 2", "      2.50"},
      {"2147483647 + 1", "2147483648"},
      {"10 % 4 + 2 ^ 2", "      6.00"},
      {"'ab' + 'cd'", "abcd"},
      {"'abc' = 'ab'", ".T."},
      {"'ab' = 'abc'", ".F."},
      {"'abc' == 'ab'", ".F."},
      {"'b' $ 'abc' AND NOT .F.", ".T."},
      {"1 = 1 OR 1 / 0 = 1", ".T."},
      {".NULL. + 1", ".NULL."},
      {"IIF(.F., 1 / 0, 'lazy')", "lazy"},
      {"subs('abcdef', 2, 3)", "bcd"},
      {"STR(3.14159, 7, 3)", "  3.142"},
      {"VARTYPE(CAST(2.9 AS Integer))", "N"},
      {"CAST(2.9 AS Integer)", "         2"},
  };
  for (const Case& c : cases) EXPECT_EQ(Show(c.expression), c.shown) << c.expression;
}

TEST_F(Interpreted, AssignsVariablesElementsAndTheScreenTag) {
  Runtime& runtime = *host_.runtime;
  EXPECT_EQ(runtime.Evaluate("_screen.tag"), FoxValue::Character(""));
  runtime.Execute("_Screen.Tag = 'Payroll'");
  EXPECT_EQ(runtime.Evaluate("_SCREEN.TAG"), FoxValue::Character("Payroll"));
  runtime.Execute("n = 42");
  EXPECT_EQ(runtime.Evaluate("N"), FoxValue::Integer(42));
  runtime.variables().CreateArray("a", Scope::kPrivate, 2, 2);
  runtime.Execute("a(2, 1) = .T.");
  EXPECT_EQ(runtime.Evaluate("a[2,1]"), FoxValue::Logical(true));
  for (const char* bad : {"x = ", "= 'open", "unknown_function(1)", "IF .T."})
    EXPECT_THROW(runtime.Execute(bad), FoxError) << bad;
}

TEST_F(Interpreted, UncaughtErrorsReportFileLineAndNumber) {
  EXPECT_EQ(Run("? 1\nx = 2\n? nothing\n? 3\n"),
            "         1\n|t.prg(3): Error 12: Variable 'NOTHING' is not found.\n1");
  EXPECT_EQ(Run("? 1\n\nDO p\nPROCEDURE p\n  ? 'p'\n  ? LEN(5)\n"),
            "         1\np\n|t.prg(6): Error 11: Function argument value, type, or count is invalid.\n1");
  // A syntax error is reported before anything runs.
  EXPECT_EQ(Run("? 'first'\nENDDO\n"), "|t.prg(2): Error 10: Syntax error. ENDDO without the statement it closes\n1");
}

TEST_F(Interpreted, CaughtErrorsGiveAnExceptionObject) {
  EXPECT_EQ(Run("TRY\n  x = 1\n  x = x + 'a'\nCATCH TO e\n  ? e.ErrorNo, e.LineNo, e.Procedure\nENDTRY\n"),
            "         9          3 t\n|0");
  EXPECT_EQ(Run("TRY\n  THROW 42\nCATCH TO e\n  ? e.ErrorNo, e.UserValue\nFINALLY\n  ?? ' finally'\nENDTRY\n"),
            "      2071         42 finally\n|0");
}

TEST_F(Interpreted, RoutinesHaveTheirOwnLocalsAndSeeTheirCallersPrivates) {
  EXPECT_EQ(Run("PRIVATE p\nLOCAL l\np = 'private'\nl = 'local'\n? F()\n"
                "FUNCTION F\n  RETURN p + ' ' + TYPE('l')\n"),
            "private U\n|0");
  EXPECT_EQ(Run("n = 1\nDO Twice WITH n\n? n\nPROCEDURE Twice(v)\n  v = v * 2\n"), "         2\n|0");
}

TEST_F(Interpreted, QuitEndsTheProgramWithoutAnError) {
  EXPECT_EQ(Run("? 'a'\nIF .T.\n  QUIT\nENDIF\n? 'b'\n"), "a\n|0");
}

}  // namespace
}  // namespace foxhost::language
