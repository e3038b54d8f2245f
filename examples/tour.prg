* A tour of marlune.fll: loads the library and calls each of its functions
* once, with a line saying what it answers.
*
*   foxhost examples/tour.prg        (scripts/demo builds and runs it)
*
* foxhost finds the library beside this program or along FOXHOST_PATH.

? "marlune.fll tour"
? REPLICATE("=", 60)

* Loading runs the library's load hook: it gives the application a tag
* (the host program's file name) when the program has not set one.
SET LIBRARY TO marlune
Show("_screen.tag", "the application tag the load hook set", _screen.tag)

Show("GetFllInfo(0)", "the library's version text", GetFllInfo(0))
Show("GetFllInfo(1)", "the library file's own path", GetFllInfo(1))
Show("GetExeInfo(1)", "the host program's executable path", GetExeInfo(1))
Show("GetExeInfo(2)", "the host's process identifier", GetExeInfo(2))
Show("GetDefaultFontName()", "the default font for the user's language", GetDefaultFontName())
Show("GetDefaultFontSize()", "its point size", GetDefaultFontSize())
Show("GetCpuID()", "the processor's vendor and identification", GetCpuID())
Show("LangIsChinese()", "is the user's language Simplified Chinese?", LangIsChinese())
Show("XTGetLastErrorMsg(5)", "the system's text for an error code", XTGetLastErrorMsg(5))
Show("XTGetLastErrorMsg()", "the text for the library's saved error code", XTGetLastErrorMsg())

* The host checks every call against the library's parameter descriptors:
* a call they do not allow is FoxPro error 11, and the library is not entered.
TRY
  GetFllInfo("one")
CATCH TO loError
  Show('GetFllInfo("one")', "refused by the host before the call", ;
    "error " + TRANSFORM(loError.ErrorNo))
ENDTRY

* Unloading runs the unload hook.
RELEASE LIBRARY marlune
? REPLICATE("=", 60)
? "library released"

PROCEDURE Show
  LPARAMETERS tcCall, tcWhat, tuValue
  * Messages from the system end in CR LF; the tour shows them on one line.
  ? PADR(tcCall, 24) + tcWhat
  ? SPACE(4) + "-> " + CHRTRAN(TRANSFORM(tuValue), CHR(13) + CHR(10), "")
ENDPROC
