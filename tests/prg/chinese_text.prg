* Chinese text services from FoxPro. This file is stored in GB2312 (code
* page 936); Big5 text and GBK characters beyond GB2312 are built with CHR().
SET LIBRARY TO marlune

* GB2312 and Big5, simplified and traditional.
lcBig5 = CHR(0xB5) + CHR(0x6F) + CHR(0xB0) + CHR(0x5D)
? "Big5 to GB2312:", XTBig5ToGb2312(lcBig5), XTBig5ToGb2312(lcBig5) == "发财"
? "GB2312 to Big5:", XTGb2312ToBig5("发财") == lcBig5, "round trip:", XTBig5ToGb2312(XTGb2312ToBig5("中华人民共和国"))
? "Big5 lacks the GBK character A996:", XTGb2312ToBig5(CHR(0xA9) + CHR(0x96))
? "empty:", "[" + XTBig5ToGb2312("") + "]", "[" + XTGb2312ToBig5("") + "]"

* Pinyin initials: one capital letter per Chinese character, ASCII in place.
? "阿 匝 廓:", XTCnCharToSpell("阿"), XTCnCharToSpell("匝"), XTCnCharToSpell("廓")
? "mixed:", XTCnCharToSpell("a中b文c"), LEN(XTCnCharToSpell("a中b文c"))
lcGbk = CHR(0xA0) + CHR(0xC4) + CHR(0x86) + CHR(0xB4) + CHR(0x88) + CHR(0xD2)
? "ASCII:", XTCnCharToSpell("abc"), "level 2 and GBK:", XTCnCharToSpell("鑫淼焱琪婷") + XTCnCharToSpell(lcGbk)
? "empty: [" + XTCnCharToSpell("") + "]"

* Stroke counts, per character (mode 1) or in total (mode 0 or absent).
? "一:", XTCnCharToStroke("一", 1), XTCnCharToStroke("一", 0), XTCnCharToStroke("一")
? "abc:", XTCnCharToStroke("abc"), "[" + XTCnCharToStroke("abc", 1) + "]", "mode 2: [" + XTCnCharToStroke("一", 2) + "]"
? "山林家鼻:", XTCnCharToStroke("山林家鼻", 1), XTCnCharToStroke("山林家鼻")
? "48 strokes count for nothing: [" + XTCnCharToStroke(CHR(0xFD) + CHR(0x93), 1) + "]"

* Money amounts in capital numerals, with and without 零 after 元 or 万.
? "1234.56:", XTRmbNumToCnChar(1234.56)
? "10.5:", XTRmbNumToCnChar(10.5), XTRmbNumToCnChar(10.5, .F.)
? "20000.3:", XTRmbNumToCnChar(20000.3), XTRmbNumToCnChar(20000.3, .F.)
? "1005:", XTRmbNumToCnChar(1005, .F.), "100005:", XTRmbNumToCnChar(100005)
? "100000:", XTRmbNumToCnChar(100000), "10000000:", XTRmbNumToCnChar(10000000)
? "0.05:", XTRmbNumToCnChar(0.05), "0.5:", XTRmbNumToCnChar(0.5), "0.004:", XTRmbNumToCnChar(0.004)
? "limits:", XTRmbNumToCnChar(99999999.99), XTRmbNumToCnChar(100000000)
? "not positive:", XTRmbNumToCnChar(0), XTRmbNumToCnChar(-1)
RELEASE LIBRARY marlune
