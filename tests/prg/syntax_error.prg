* A syntax error is reported before anything runs: nothing is printed.
? "must not be shown"
IF .T.
  x = 1
FOR i = 1 TO 3
ENDFOR
