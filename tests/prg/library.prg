* marlune.fll end to end: the load hook, the information functions, and the
* host refusing calls the library's descriptors do not allow.
? "tag before loading: [" + _screen.tag + "]"
SET LIBRARY TO marlune
? "the load hook set the tag:", _screen.tag
? "library version:", GetFllInfo(0)
? "library file:", JUSTFNAME(GetFllInfo(1))
? "host program:", JUSTFNAME(GetExeInfo(1))
? "process id is a number:", VARTYPE(GetExeInfo(2)), GetExeInfo(2) > 0
? "no result for 3:", GetExeInfo(3)
? "names are not case-sensitive:", getfllinfo(0) == GETFLLINFO(0)
? "message for code 2: [" + CHRTRAN(XTGetLastErrorMsg(2), CHR(13) + CHR(10), "") + "]"
? "saved error code is 0 at load: [" + CHRTRAN(XTGetLastErrorMsg(), CHR(13) + CHR(10), "") + "]"
? "font size:", GetDefaultFontSize()

* A numeric argument where the descriptor says "I" is converted; text is refused.
? "numeric for I:", GetFllInfo(0.0)
TRY
  GetFllInfo("1")
CATCH TO loErr
  ? "wrong type:", loErr.ErrorNo
ENDTRY
TRY
  GetFllInfo()
CATCH TO loErr
  ? "too few:", loErr.ErrorNo
ENDTRY
TRY
  GetDefaultFontSize(1)
CATCH TO loErr
  ? "too many:", loErr.ErrorNo
ENDTRY

* The tag a program sets before loading is kept.
SET LIBRARY TO
_screen.tag = "Payroll"
SET LIBRARY TO marlune.fll ADDITIVE
? "tag kept:", _screen.tag
RELEASE LIBRARY marlune
TRY
  GetFllInfo(0)
CATCH TO loErr
  ? "released:", loErr.ErrorNo
ENDTRY
TRY
  SET LIBRARY TO no_such_library
CATCH TO loErr
  ? "missing library:", loErr.ErrorNo
ENDTRY
