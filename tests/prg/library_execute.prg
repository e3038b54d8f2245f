* Statements and arrays a library makes run in the calling routine's scope;
* a statement that fails is reported and the program goes on.
SET LIBRARY TO contract_probe.so
? "executed:", ProbeExecute("pcMade = 'made by the library'"), pcMade
? "failing statement answers minus its error:", ProbeExecute("x = nosuchvariable")
? "still running"
? "in a routine:", Caller(), TYPE("pcInner")
laRows = "replaced"
? "array rows:", ProbeArray("laRows", 3, 2), ALEN(laRows, 1), laRows(3, 1), laRows(3, 2)
lcText = "abc"
ProbeAppend(@lcText)
? "by reference:", lcText

FUNCTION Caller
  LOCAL lnOwn
  lnOwn = 5
  ProbeExecute("pcInner = lnOwn * 2")
  RETURN pcInner
ENDFUNC
