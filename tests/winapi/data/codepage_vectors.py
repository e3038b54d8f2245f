# Known-answer vectors for the code page stand-in, from Python's codecs.
# Each line: code page, direction, hex of the input, hex of the output, used default (0/1).
samples = ["abc", "中文", "發財", "发财", "é€", "〇", "丣亁", "测试ABC", "繁體中文", "€", "é", "ü", "Ω", "😀", "丫夕", "臺灣", "鏡", "镜", "—…", "「」"]
lines = []
for cp, codec in ((936, "cp936"), (950, "cp950"), (1252, "cp1252"), (65001, "utf-8")):
    for s in samples:
        u16 = s.encode("utf-16-le")
        used = 0
        try:
            # Windows' code page 936 has the euro sign at 0x80; Python's cp936 leaves it out.
            b = s.replace("€", "\x00EURO\x00").encode(codec).replace(b"\x00EURO\x00", b"\x80") if cp == 936 else s.encode(codec)
        except UnicodeEncodeError:
            b = s.encode(codec, "replace")
            used = 1
        lines.append(f"{cp} w2m {u16.hex()} {b.hex()} {used}")
        if not used:
            lines.append(f"{cp} m2w {b.hex()} {u16.hex()} 0")
open("codepage_vectors.txt", "w").write(
    "# code page, direction (m2w bytes to UTF-16LE, w2m UTF-16LE to bytes), input hex, output hex,\n"
    "# default character used. Generated once with Python's cp936, cp950, cp1252 and utf-8 codecs\n"
    "# (characters a code page lacks encoded with errors='replace'; the euro sign is 0x80 in 936,\n"
    "# as in Windows' table). Regenerate with: python3 codepage_vectors.py\n" + "\n".join(lines) + "\n")
