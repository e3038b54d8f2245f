#!/usr/bin/env python3
"""An independent model of the library's byte ciphers, written from their
descriptions, not from the C++ code. It prints the known answers that
known_answers_test.cpp holds; run it again only when a constant changes.

    python3 tests/marlune/crypto/reference/ciphers.py
"""
import hashlib
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parents[4]
ALPHABET = b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="
TXT2_FIXED_KEY = b"Zq4:Rovamel-Kestun/Bayo8prodi_Lemmix+T0vQ"


def batch_seed():
    seed = b""
    i = 0
    while len(seed) < 125:
        seed += bytes(b for b in hashlib.sha256(b"marlune batch seed" + struct.pack("<I", i)).digest() if b)
        i += 1
    return seed[:125]


def key_stream():
    stored = (ROOT / "marlune/resources/key_stream_117.bin").read_bytes()
    return stored[:53] + stored[53:][::-1]


def md5_text(data):
    return hashlib.md5(data).hexdigest().encode()


def swapped_md5_text(data):
    t = md5_text(data)
    return b"".join(t[i + 1:i + 2] + t[i:i + 1] for i in range(0, 32, 2))


def rol(b, n):
    return ((b << n) | (b >> (8 - n))) & 0xFF


def scramble(data):
    out = bytearray(data)
    for i in range(len(out)):
        out[i] = rol(out[i], 7 if i % 2 else 1) ^ 0x0F
    return out


def unscramble(data):
    out = bytearray(data)
    for i in range(len(out)):
        out[i] = rol(out[i] ^ 0x0F, 1 if i % 2 else 7)
    return out


def xor_cycle(data, key):
    return bytearray(d ^ key[i % len(key)] for i, d in enumerate(data))


def block_encrypt(data, key):
    key = scramble(key)
    return xor_cycle(scramble(data), key), key


def block_decrypt(data, key):
    key = scramble(key)
    return unscramble(xor_cycle(data, key)), key


def signed(b):
    return b - 256 if b > 127 else b


def substitute_key(key):
    k = bytearray(ALPHABET[((signed(b) + i) & 0xFFFFFFFF) % 65] for i, b in enumerate(key))
    k.reverse()
    return bytearray(ALPHABET[((signed(b) - i) & 0xFFFFFFFF) % 65] for i, b in enumerate(k))


def check_record(length, key):
    record = struct.pack("<II", 1, 1) + swapped_md5_text(b"Velko.dll V1.0 by Dorvaine.") + bytes(4)
    record += struct.pack("<I", length) + md5_text(key) + bytes(4)
    assert len(record) == 84
    record, _ = block_encrypt(record, swapped_md5_text(key))
    return xor_cycle(record, md5_text(bytes(record)))


def buffer_key(record, key):
    t, scrambled = block_encrypt(record, key)
    scrambled = bytes(scrambled).split(b"\0")[0]
    return swapped_md5_text(bytes(xor_cycle(t, md5_text(scrambled))))


def encrypt_buffer(data, key):
    record = check_record(len(data), key)
    k = buffer_key(record, key)
    return bytes(xor_cycle(xor_cycle(data, k), key_stream())) + bytes(xor_cycle(record, k))


def xor_plus_53(data, key):
    return bytes(d ^ ((key[i % len(key)] + 53) & 0xFF) for i, d in enumerate(data))


STREAM_KEY = hashlib.sha256(b"marlune string stream key").hexdigest()[:32].encode()


def string_stream(text):
    record = struct.pack("<II", 1, 0) + swapped_md5_text(b"QuillTanderBrook V1.0 by Dorvaine.") + bytes(4)
    record += struct.pack("<I", len(text)) + md5_text(STREAM_KEY) + bytes(4)
    record = xor_plus_53(record, swapped_md5_text(STREAM_KEY))
    t = bytes(0x10 if b else 0 for b in record)
    t = xor_plus_53(xor_plus_53(t, STREAM_KEY)[::-1], STREAM_KEY)
    return xor_plus_53(text, swapped_md5_text(t)) + record


def main():
    batch_key = substitute_key(batch_seed())
    answers = {
        "batch key": bytes(batch_key),
        "check record 24 key": bytes(check_record(24, b"key")),
        "buffer": encrypt_buffer(b"The payload of a buffer.", b"key"),
        "buffer 0x1E key": encrypt_buffer(b"abc", b"a\x1ebc"),
        "batch": bytes(block_encrypt(b"n = 1\r\nn = 2", batch_key)[0]),
        "txt2 fixed": xor_plus_53(b"attack at dawn", TXT2_FIXED_KEY),
        "txt2 key": xor_plus_53(b"attack at dawn", b"key"),
        "string stream": string_stream(b'"a"\n[b]'),
    }
    assert block_decrypt(answers["batch"], batch_key)[0] == b"n = 1\r\nn = 2"
    for name, value in answers.items():
        print(f'{{"{name}", "{value.hex()}"}},')


if __name__ == "__main__":
    main()
