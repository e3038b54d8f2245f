* The parsed-string cursor, wildcard matching and XTStrRev from FoxPro.
SET LIBRARY TO marlune

* Walking a line: runs of delimiters count as one, a leading one is skipped.
? "before any line:", PSIsEnd(), "[" + PSGetItem() + "]", "[" + PSGetRestString() + "]"
PSSetStringLine("|alpha||beta|gamma|")
DO WHILE !PSIsEnd()
  ? "item: [" + PSGetItem() + "]"
ENDDO
PSGoToHead()
? "again from the head: [" + PSGetItem() + "]", "rest: [" + PSGetRestString() + "]", PSIsEnd()

* The delimiter is reset by each new line: choose it afterwards.
PSSetFlagChar(";")
PSSetStringLine("a;b")
? "delimiter chosen before the line: [" + PSGetItem() + "]"
PSSetFlagChar(";,")
PSGoToHead()
? "chosen after it: [" + PSGetItem() + "] [" + PSGetItem() + "]"
? "empty line refused:", PSSetStringLine(""), "empty delimiter refused:", PSSetFlagChar("")
lcLong = REPLICATE("x", 300)
PSSetStringLine("a|" + lcLong + "|b")
PSGetItem()
? "a 300-byte item comes back whole:", LEN(PSGetItem())

* XTFindMatchString: 1-based position, "?" is any one character.
? "abcabc / c:", XTFindMatchString("abcabc", "c"), XTFindMatchString("abcabc", "c", 3)
? "aaab / a?b:", XTFindMatchString("aaab", "a?b")
? "empty pattern:", XTFindMatchString("abc", ""), XTFindMatchString("abc", "", 3), XTFindMatchString("abc", "", 4)
? "too long:", XTFindMatchString("abc", "abcd"), "star is plain:", XTFindMatchString("a*c", "*")

* XTIsMatchString and XTMultiMatchString: "*" and "?", A-Z fold unless asked.
? "Hello.TXT / *.txt:", XTIsMatchString("Hello.TXT", "*.txt"), XTIsMatchString("Hello.TXT", "*.txt", 1)
? "empty cases:", XTIsMatchString("", "*"), XTIsMatchString("", ""), XTIsMatchString("a", ""), XTIsMatchString("", "*?")
? "a?c:", XTIsMatchString("abc", "a?c"), XTIsMatchString("zvqz", "a?c"), "a**c:", XTIsMatchString("abc", "a**c")
? "lists:", XTMultiMatchString("report.doc", "*.txt,,*.doc"), XTMultiMatchString("report.doc", "*.txt,*.xls"), XTMultiMatchString("report.doc", "")

* XTStrRev reverses a variable in place after the bytes it keeps.
lcText = "abcdef"
XTStrRev(@lcText)
? "reversed:", lcText
lcText = "abcdef"
XTStrRev(@lcText, 2)
? "keeping 2:", lcText
lcText = "abcdef"
XTStrRev(@lcText, -1)
? "negative count keeps nothing:", lcText
lnNumber = 5
TRY
  XTStrRev(@lnNumber)
CATCH TO loErr
  ? "not character:", loErr.ErrorNo
ENDTRY
RELEASE LIBRARY marlune
