* Expressions and how ? shows each result: one line per case, the
* expression's text, then its value.
LOCAL laCases(1), i, lcExpr
lcCases = "1 + 2|7 - 10|6 * 7|10 / 4|7 % 3|-7 % 3|2 ^ 10|2 ** 3|1.5 + 1|" + ;
  "2147483647|-2147483648|0x1F|0xFF + 1|" + ;
  "'abc' + 'def'|'ab  ' - 'cd'|'b' $ 'abc'|'x' $ 'abc'|" + ;
  "'abc' = 'ab'|'ab' = 'abc'|'abc' == 'ab'|'abc' <> 'abd'|'abc' # 'abc'|'a' < 'b'|" + ;
  "1 = 1.0|3 >= 4|.T. AND .F.|.T. OR .F.|NOT .T.|!.F.|.T. .AND. .T.|.F. .OR. .NOT. .F.|" + ;
  ".NULL.|.NULL. + 1|ISNULL(.NULL. = 1)|(1 + 2) * 3|1 + 2 * 3|-2 ^ 2|" + ;
  "VARTYPE(1)|VARTYPE(1.5)|VARTYPE(CAST(1.9 AS Integer))|CAST(1.9 AS Integer)|VARTYPE('')|" + ;
  "VARTYPE(.T.)|VARTYPE(.NULL.)|CAST(5 AS Numeric)|CAST(12 AS Character)|" + ;
  "LEN('a' + CHR(0) + 'b')|ASC(SUBSTR('a' + CHR(0) + 'b', 2, 1))|[brackets]|m.lcExpr"
lcExpr = "m.lcExpr"
FOR i = 1 TO OCCURS("|", lcCases) + 1
  lcExpr = IIF(i <= OCCURS("|", lcCases), ;
    SUBSTR(lcCases, IIF(i = 1, 1, AT("|", lcCases, i - 1) + 1), ;
      IIF(i = 1, AT("|", lcCases), AT("|", lcCases, i) - AT("|", lcCases, i - 1)) - 1), ;
    SUBSTR(lcCases, RAT("|", lcCases) + 1))
  ? PADR(lcExpr, 40) + "[" + TRANSFORM(EVALUATE(lcExpr)) + "]", EVALUATE(lcExpr)
ENDFOR

* SET EXACT ON compares the whole of both sides.
SET EXACT ON
? "exact on:", "abc" = "ab", "ab " = "ab", "abc" == "abc"
SET EXACT OFF
? "exact off:", "abc" = "ab", "" = "x", "x" = ""

* ? starts a new line, ?? goes on with the current one.
? "one"
?? "-two"
?
? "after an empty line"
