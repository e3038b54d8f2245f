* One- and two-dimensional arrays.
DIMENSION laOne(3)
? "new elements:", laOne(1), ALEN(laOne)
laOne(1) = "a"
laOne[2] = 2
laOne(3) = .NULL.
? "elements:", laOne(1), laOne[2], laOne(3)

DIMENSION laTwo(2, 3)
FOR r = 1 TO 2
  FOR c = 1 TO 3
    laTwo(r, c) = r * 10 + c
  ENDFOR
ENDFOR
? "two dimensions:", ALEN(laTwo), ALEN(laTwo, 1), ALEN(laTwo, 2), laTwo(2, 3), laTwo[1, 2]
? "one subscript counts row by row:", laTwo(4), laTwo(6)
? "ASCAN:", ASCAN(laTwo, 22), ASCAN(laTwo, 99), ASCAN(laOne, "a"), ASCAN(laTwo, 11, 2)

* Re-dimensioning keeps the elements in order.
DIMENSION laOne(5)
? "redimensioned:", ALEN(laOne), laOne(1), laOne(2), laOne(5)

* Assigning to the name fills every element.
laOne = "x"
? "filled:", laOne(1), laOne(5)

DIMENSION laCopy(1)
? "ACOPY:", ACOPY(laTwo, laCopy), ALEN(laCopy), laCopy(6)

LOCAL laLocal(2)
laLocal(2) = "local"
? "local array:", laLocal(2), ShowArray()
STORE 7 TO n1, n2
? "STORE:", n1, n2

FUNCTION ShowArray
  RETURN TYPE("laLocal") + " " + TYPE("laTwo(1)")
ENDFUNC
