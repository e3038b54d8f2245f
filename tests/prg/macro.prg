* Macro substitution: &name puts a variable's text into the line.
lcVar = "lnTarget"
&lcVar = 42
? "assigned through a macro:", lnTarget
lcCommand = "? 'a whole statement'"
&lcCommand
lcExpr = "lnTarget * 2"
? "an expression:", &lcExpr
lcFunc = "UPPER"
? "a name with a dot:", &lcFunc.("up")
lcAbs = "ABS(-5)"
x = &lcAbs + 1
? "inside an expression:", x
lcCond = "x > 5"
IF &lcCond
  ? "a condition in a block statement"
ENDIF
