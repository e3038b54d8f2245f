* The registry session from FoxPro: choosing a key, writing, reading,
* listing and deleting. Every run starts by removing what an earlier run
* left, so the output does not depend on it.
SET LIBRARY TO marlune
FRSetRegPath("Software\MarluneTests\Session")
FRDeleteKey("A")
FRDeleteKey("B")
FRDeleteKey("Empty")
FRSetRegPath("Software\MarluneTests")
FRDeleteKey("Session")
FRSetRegPath()
FRDeleteValue("Count")

* Logical results are the registry status: .F. is success.
? "default path:", FRSetRegPath(), "write:", FRSetRegValue("Count", 5), "read:", FRGetRegValue("Count", 0)
FRDeleteValue("Count")

? "path:", FRSetRegPath("Software\MarluneTests\Session", 2)
? "writes:", FRSetRegValue("Name", "Tom"), FRSetRegValue("Size", 7), FRSetRegValue("", "default value")
? "text:", FRGetRegValue("Name", "none"), "number:", FRGetRegValue("Size", -1)
* Reads take the stored bytes whatever the type: 4407873 is 41 42 43 00.
? "text read as a number:", FRGetRegValue("Name", 0), "a number read as text:", FRSetRegValue("Code", 4407873), FRGetRegValue("Code", "")
FRDeleteValue("Code")
? "missing:", FRGetRegValue("Nope", "none"), FRGetRegValue("Nope", -1)
? "saved error: [" + CHRTRAN(XTGetLastErrorMsg(), CHR(13) + CHR(10), "") + "]"
? "default value deleted:", FRDeleteValue(""), "again:", FRDeleteValue("")

? "values listed:", FREnumRegValue("laVals"), ALEN(laVals, 1), ALEN(laVals, 2)
FOR i = 1 TO ALEN(laVals, 1)
  ? "  ", laVals[i, 1], laVals[i, 2], laVals[i, 3]
ENDFOR

* Switching the path between writes: the second write goes to the new key.
FRSetRegPath("Software\MarluneTests\Session\A")
FRSetRegValue("v", "in A")
FRSetRegPath("Software\MarluneTests\Session\B")
FRSetRegValue("v", "in B")
? "after switching:", FRGetRegValue("v", "")
FRSetRegPath("Software\MarluneTests\Session\Empty")
FRSetRegValue("v", 1)
FRDeleteValue("v")
? "an empty key lists no values:", FREnumRegValue("laVals"), TYPE("laVals")

FRSetRegPath("Software\MarluneTests\Session")
? "subkeys listed:", FREnumRegKeyEx("laKeys"), laKeys[1], laKeys[2], laKeys[3]
? "delete an empty name:", FRDeleteKey(""), "A:", FRDeleteKey("A"), "A again:", FRDeleteKey("A")
? "closed:", FRCloseReg()

* A value that is neither text nor an integer is FoxPro error 9.
TRY
  FRSetRegValue("v", 1.5)
CATCH TO loErr
  ? "numeric value:", loErr.ErrorNo
ENDTRY
TRY
  FRGetRegValue("v", .T.)
CATCH TO loErr
  ? "logical default:", loErr.ErrorNo
ENDTRY

FRDeleteKey("B")
FRDeleteKey("Empty")
FRSetRegPath("Software\MarluneTests")
? "cleaned up:", FRDeleteKey("Session")
RELEASE LIBRARY marlune
