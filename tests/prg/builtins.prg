* The built-in functions, one result a line.
? SUBSTR("abcdef", 2, 3), SUBSTR("abcdef", 4), SUBSTR("abc", 9) == ""
? LEFT("abcdef", 2), RIGHT("abcdef", 2), LEFT("ab", 5), RIGHT("ab", 0) == ""
? AT("b", "abcb"), AT("b", "abcb", 2), AT("z", "abc"), RAT("b", "abcb"), RAT("b", "abcb", 2)
? OCCURS("a", "banana"), OCCURS("an", "banana"), OCCURS("", "x")
? UPPER("MiXed"), LOWER("MiXed"), PROPER("hello wide WORLD")
? "[" + ALLTRIM("  a b  ") + "]", "[" + LTRIM("  a ") + "]", "[" + RTRIM("  a  ") + "]", "[" + TRIM(" a ") + "]"
? "[" + PADL("ab", 5) + "]", "[" + PADR("ab", 5, "*") + "]", "[" + PADC("ab", 6, "-") + "]", "[" + PADL("abcdef", 3) + "]", "[" + PADL(42, 5) + "]"
? "[" + SPACE(3) + "]", REPLICATE("ab", 3), "[" + REPLICATE("x", 0) + "]"
? STRTRAN("a-b-c", "-"), STRTRAN("a-b-c", "-", "+"), STRTRAN("a-b-c-d", "-", "+", 2), STRTRAN("a-b-c-d", "-", "+", 2, 1)
? CHRTRAN("abcabc", "ab", "X"), STUFF("abcdef", 2, 3, "XY"), STUFF("abc", 4, 0, "d")
? CHR(65), ASC("A"), ASC("")
? "[" + STR(42) + "]", "[" + STR(3.14159, 6, 2) + "]", "[" + STR(-1.5, 5, 1) + "]", "[" + STR(123456, 3) + "]", "[" + STR(2.5, 3) + "]"
? VAL("12"), VAL("  3.5abc"), VAL("x"), VAL("-1.250")
? INT(7.9), INT(-7.9), ROUND(2.345, 2), ROUND(1234.5, -2), ROUND(2.5, 0), MOD(7, 3), MOD(-7, 3), MOD(7.5, 2)
? ABS(-3), ABS(-2.5), SIGN(-4), SIGN(0), SIGN(0.1)
? MAX(1, 5, 3), MIN(4, 2.5), MAX("b", "a"), MIN(.T., .F.)
? TRANSFORM(1.50), TRANSFORM(7), TRANSFORM(.F.), TRANSFORM("abc", "@!"), TRANSFORM(.NULL.)
x = 5
? TYPE("x"), TYPE("'a'"), TYPE("nothere"), TYPE("x +"), TYPE("1 = 1"), VARTYPE(x), VARTYPE(.NULL., .T.)
? EMPTY(""), EMPTY("  "), EMPTY(0), EMPTY(.F.), EMPTY("a"), EMPTY(1), EMPTY(.NULL.)
? ISNULL(.NULL.), ISNULL(0), NVL(.NULL., "default"), NVL("value", "default")
? IIF(.T., "yes", "no"), IIF(.F., 1/0, "no division")
? BETWEEN(5, 1, 10), BETWEEN(11, 1, 10), BETWEEN("b", "a", "c"), INLIST(3, 1, 2, 3), INLIST("z", "a", "b")
? EVALUATE("x * 2"), EVALUATE("UPPER('e')")
? ADDBS("c:\tmp"), ADDBS("c:\tmp\"), JUSTFNAME("c:\a\b.txt"), JUSTPATH("c:\a\b.txt"), JUSTEXT("c:\a\b.txt"), JUSTSTEM("c:\a.b\c.tar.gz")
? FORCEEXT("c:\a\b.txt", "prg"), FORCEEXT("name", ".fll"), JUSTEXT("c:\a.b\noext")
? FILE("builtins.prg"), FILE("missing.prg"), GETENV("FOXHOST_NO_SUCH_VARIABLE") == ""
lcFile = GETENV("MARLUNE_PREFIX") + "/strtofile.txt"
? STRTOFILE("ab" + CHR(0) + "c", lcFile), STRTOFILE("d", lcFile, .T.), LEN(FILETOSTR(lcFile)), FILETOSTR(lcFile) == "ab" + CHR(0) + "cd"
? BETWEEN(SECONDS(), 0, 86400), VARTYPE(SECONDS())
? JUSTFNAME(SYS(16))
? MESSAGEBOX("shown as text", 0, "Title")
? SUBS("abc", 2), ALLT("  x  "), UPPE("ok")
