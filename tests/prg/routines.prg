* Routines, parameters and the scopes of variables.
LPARAMETERS tcFirst, tcSecond
? "arguments:", PCOUNT(), tcFirst + "|" + tcSecond

PUBLIC gnCount
gnCount = 0
PRIVATE pcSeen
pcSeen = "main"
LOCAL lnLocal
lnLocal = 1

? "function:", Square(7), Square(1.5)
? "default result:", NoReturn()
DO ShowScopes WITH "via DO"
? "after DO:", gnCount, pcSeen, lnLocal

* Arguments to a function go by value unless given with @; DO ... WITH
* passes variables by reference.
lnValue = 10
Bump(lnValue)
? "by value:", lnValue
Bump(@lnValue)
? "by reference:", lnValue
DO Bump WITH lnValue
? "DO WITH:", lnValue

? "recursion:", Factorial(10)
? "optional:", Optional(1), Optional(1, 2)
? "nested:", Outer()
? "loops:", Loops()
pcFromSub = "not yet"
DO sub_program WITH "from routines"
? "back, set by the program:", pcFromSub

PROCEDURE ShowScopes
  PARAMETERS tcHow
  gnCount = gnCount + 1
  ? "in ShowScopes:", tcHow, pcSeen, TYPE("lnLocal")
  pcSeen = "changed by ShowScopes"
  PRIVATE pcSeen
  pcSeen = "hidden"
ENDPROC

FUNCTION Square(n)
  RETURN n * n
ENDFUNC

FUNCTION NoReturn
ENDFUNC

PROCEDURE Bump
  LPARAMETERS tnValue
  tnValue = tnValue + 1
ENDPROC

FUNCTION Factorial(n)
  IF n <= 1
    RETURN 1
  ENDIF
  RETURN n * Factorial(n - 1)
ENDFUNC

FUNCTION Optional
  LPARAMETERS a, b
  RETURN TRANSFORM(PCOUNT()) + "/" + VARTYPE(b)
ENDFUNC

FUNCTION Outer
  PRIVATE pcOuter
  pcOuter = "outer's private"
  RETURN Inner()
ENDFUNC

FUNCTION Inner
  RETURN pcOuter + " seen by Inner"
ENDFUNC

FUNCTION Loops
  LOCAL i, lcOut, n
  lcOut = ""
  FOR i = 10 TO 1 STEP -3
    lcOut = lcOut + TRANSFORM(i) + " "
  ENDFOR
  n = 0
  DO WHILE .T.
    n = n + 1
    IF n % 2 = 0
      LOOP
    ENDIF
    IF n > 7
      EXIT
    ENDIF
    lcOut = lcOut + "w" + TRANSFORM(n)
  ENDDO
  FOR i = 1 TO 3
    IF i = 2
      EXIT
    ENDIF
  NEXT
  RETURN lcOut + " i=" + TRANSFORM(i)
ENDFUNC
