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

* Text services. Chinese text is GB2312 (code page 936), built here with
* CHR(): lcFacai is fa cai (to get rich), lcYi the character for one.
lcLine = "red||green|blue"
Show("PSSetStringLine(lcLine)", "sets the line red||green|blue for the PS functions", PSSetStringLine(lcLine))
Show('PSSetFlagChar("|")', "chooses the delimiter (after the line)", PSSetFlagChar("|"))
Show("PSGetItem()", "the next item; empty items are skipped", PSGetItem())
Show("PSIsEnd()", "has the walk passed the last item?", PSIsEnd())
Show("PSGetRestString()", "the rest of the line from the cursor", PSGetRestString())
PSGoToHead()
Show("PSGoToHead()", "back to the first item, which is again", PSGetItem())
Show("XTFindMatchString(...)", 'where a?b first occurs in aaab (? is any character)', XTFindMatchString("aaab", "a?b"))
Show("XTIsMatchString(...)", "does Hello.TXT match *.txt (A-Z fold)?", XTIsMatchString("Hello.TXT", "*.txt"))
Show("XTMultiMatchString(...)", "does a.doc match a pattern of *.txt,*.doc?", XTMultiMatchString("a.doc", "*.txt,*.doc"))
lcText = "abcdef"
XTStrRev(@lcText, 2)
Show('XTStrRev(@lcText, 2)', "reverses a variable after its first 2 bytes", lcText)
lcFacai = CHR(0xB7) + CHR(0xA2) + CHR(0xB2) + CHR(0xC6)
lcYi = CHR(0xD2) + CHR(0xBB)
Show("XTGb2312ToBig5(lcFacai)", "GB2312 simplified to Big5 traditional", XTGb2312ToBig5(lcFacai))
Show("XTBig5ToGb2312(...)", "and back to GB2312 simplified", XTBig5ToGb2312(XTGb2312ToBig5(lcFacai)))
Show("XTCnCharToSpell(...)", "pinyin initials of the Chinese characters", XTCnCharToSpell(lcFacai))
Show("XTCnCharToStroke(lc, 1)", "strokes per character of yi fa cai (mode 1)", XTCnCharToStroke(lcYi + lcFacai, 1))
Show("XTCnCharToStroke(lc)", "and their total", XTCnCharToStroke(lcYi + lcFacai))
Show("XTRmbNumToCnChar(...)", "1234.56 yuan in Chinese capital numerals", XTRmbNumToCnChar(1234.56))

* Digests and ciphers.
Show('Get32Md5("abc")', "MD5 digest text of a value", Get32Md5("abc"))
Show("Get32Md5FileChecksum(f)", "MD5 digest text of the library file", Get32Md5FileChecksum(GetFllInfo(1)))
Show('XTEncryptTxt1("abc",1)', "abc as printable cipher text", XTEncryptTxt1("abc", 1))
Show('XTEncryptTxt1(lc, 0)', "and WYdcbajJ deciphered", XTEncryptTxt1("WYdcbajJ", 0))
lcSecret = "attack at dawn"
XTEncryptTxt2(@lcSecret, "key")
Show('XTEncryptTxt2(@lc, k)', "scrambles a variable in place; its digest is", Get32Md5(lcSecret))
XTEncryptTxt2(@lcSecret, "key")
Show('XTEncryptTxt2(@lc, k)', "the same call again restores it", lcSecret)
lcBuffer = XTEncryptFileBuffer2("file contents", "key", 1)
Show('XTEncryptFileBuffer2(d, k, 1)', "adds an 84-byte trailer; length", LEN(lcBuffer))
Show('XTEncryptFileBuffer2(b, k, 0)', "opens it again with the key", XTEncryptFileBuffer2(lcBuffer, "key", 0))
Show('XTEncryptFileBuffer2(b, k2, 0)', "and gives nothing for another key", XTEncryptFileBuffer2(lcBuffer, "other", 0))
lcBatch = "lnBatch = 6" + CHR(13) + CHR(10) + "lnBatch = lnBatch * 7"
XTEncryptByteBlock2(@lcBatch)
XTRunFoxBatch2(lcBatch)
Show('XTRunFoxBatch2(XTEncryptByteBlock2(@b))', "runs the enciphered lines", lnBatch)
Show('GetStringSrcById(1)', "before any stream is loaded", GetStringSrcById(1))
Show('LoadStringSrcStream(s)', "a value too short to be a stream loads nothing", LoadStringSrcStream("short"))

* The registry session: one key at a time, chosen with FRSetRegPath (root
* code 2 is HKEY_CURRENT_USER; no parameters: Software\Dorvaine\ and the
* application tag). Logical results are the registry status: .F. is success.
Show('FRSetRegPath(k, 2)', "chooses HKCU\Software\MarluneTour", FRSetRegPath("Software\MarluneTour", 2))
Show('FRSetRegValue(n, c)', "writes the text Tom as Name, creating the key", FRSetRegValue("Name", "Tom"))
Show('FRSetRegValue(n, 7)', "writes the 32-bit value 7 as Size", FRSetRegValue("Size", 7))
Show('FRGetRegValue(n, "")', "reads Name back in the type of the default", FRGetRegValue("Name", ""))
Show('FRGetRegValue(n2, -1)', "a missing value n2 gives the default", FRGetRegValue("Nope", -1))
Show("XTGetLastErrorMsg()", "and the registry's status is kept", XTGetLastErrorMsg())
Show('FREnumRegValue("la")', "lists name, type and data into an array", FREnumRegValue("laVals"))
Show('laVals[2,1], [2,3]', "its second row", laVals[2,1] + " = " + TRANSFORM(laVals[2,3]))
FRSetRegPath("Software")
Show('FREnumRegKeyEx("la")', "subkeys of HKCU\Software into an array", FREnumRegKeyEx("laKeys"))
Show('FRDeleteKey(k)', "deletes MarluneTour, a subkey of the session's key", FRDeleteKey("MarluneTour"))
Show("FRCloseReg()", "closes the session's key", FRCloseReg())

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
