* Digests and text ciphers from FoxPro.
SET LIBRARY TO marlune

? Get32Md5(""), Get32Md5("abc")
? "[" + Get32Md5FileChecksum("") + "]", "[" + Get32Md5FileChecksum("no such file.bin") + "]"

* Printable cipher text and back; too short to decipher gives "".
lcCipher = XTEncryptTxt1("hello", 1)
? lcCipher, XTEncryptTxt1(lcCipher, 0), XTEncryptTxt1("WYdcbajJ", 7)
? "[" + XTEncryptTxt1("abc", 0) + "]", "[" + XTEncryptTxt1("", 1) + "]"

* XTEncryptTxt2 scrambles in place; the same call restores the value.
lcText = "attack at dawn"
XTEncryptTxt2(@lcText)
? lcText == "attack at dawn", LEN(lcText)
XTEncryptTxt2(@lcText)
? lcText
lcShort = "abc"
XTEncryptTxt2(@lcShort)
? lcShort
XTEncryptTxt2(@lcText, "key")
XTEncryptTxt2(@lcText, "key")
? lcText
