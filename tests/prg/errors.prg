* Errors caught with TRY/CATCH: the exception's number, message, line and
* routine, FINALLY, THROW, and errors raised in a routine further down.
TRY
  x = "a" + 1
CATCH TO loErr
  ? "type mismatch:", loErr.ErrorNo, loErr.LineNo, loErr.Procedure
ENDTRY

TRY
  ? SUBSTR(42, 1)
CATCH TO loErr
  ? "bad argument:", loErr.ErrorNo, loErr.Message
ENDTRY

TRY
  ? LEN("a", "b")
CATCH TO loErr
  ? "argument count:", loErr.ErrorNo
ENDTRY

TRY
  ? nowhere
CATCH TO loErr
  ? "unknown variable:", loErr.ErrorNo, loErr.Message
ENDTRY

DIMENSION laSmall(2)
TRY
  laSmall(3) = 1
CATCH TO loErr
  ? "subscript:", loErr.ErrorNo
ENDTRY

TRY
  ? 1 / 0
CATCH TO loErr
  ? "division:", loErr.ErrorNo, loErr.Message
ENDTRY

TRY
  Deeper()
CATCH TO loErr
  ? "from a routine:", loErr.ErrorNo, loErr.LineNo, loErr.Procedure
FINALLY
  ? "finally runs"
ENDTRY

TRY
  THROW "my value"
CATCH TO loErr
  ? "thrown:", loErr.ErrorNo, loErr.UserValue
ENDTRY

TRY
  TRY
    IF .T.
      ? UPPER(.T.)
    ENDIF
  CATCH TO loInner
    ? "inner catches", loInner.ErrorNo
    THROW loInner
  ENDTRY
CATCH TO loOuter
  ? "outer catches the same:", loOuter.ErrorNo, loOuter.LineNo
ENDTRY

TRY
  ? "no error"
CATCH
  ? "not shown"
FINALLY
  ? "finally without an error"
ENDTRY

? "result:", Guarded()

FUNCTION Deeper
  LOCAL n
  n = 1
  n = n + "x"
ENDFUNC

FUNCTION Guarded
  TRY
    RETURN "returned from TRY"
  FINALLY
    ? "finally before the return"
  ENDTRY
ENDFUNC
