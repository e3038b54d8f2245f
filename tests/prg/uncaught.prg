* An error nobody catches ends the program with its place and number.
? "before the error"
DO Fails
? "never shown"

PROCEDURE Fails
  ? "in Fails"
  x = UndefinedThing + 1
ENDPROC
