// CMD5: the MD5 message digest (RFC 1321) every component computes with.
//
// Use: a fresh object (or one just Init'ed), Update with the bytes in order,
// Finalize once, then read the 16 bytes at Digest(). Finalize wipes the
// working state; only Init makes the object usable again.
//
// The layout and member list are part of libmd5lib's binary interface:
// keep the fields, their order and every signature as they are.
#pragma once

#include <digest/md5_export.h>

struct CMD5Inspector;  // lets the tests look inside; has no other use

class MD5_CLASS_API CMD5 {
 public:
  CMD5();
  CMD5& operator=(const CMD5& other);

  void Init();
  void Update(unsigned char* input, unsigned int length);
  void Finalize();
  unsigned char* Digest();

 private:
  void Transform(unsigned char* block);
  void Encode(unsigned char* output, unsigned int* input, unsigned int length);
  void Decode(unsigned int* output, unsigned char* input, unsigned int length);

  unsigned int F(unsigned int x, unsigned int y, unsigned int z);
  unsigned int G(unsigned int x, unsigned int y, unsigned int z);
  unsigned int H(unsigned int x, unsigned int y, unsigned int z);
  unsigned int I(unsigned int x, unsigned int y, unsigned int z);

  void FF(unsigned int& a, unsigned int b, unsigned int c, unsigned int d, unsigned int x,
          unsigned int s, unsigned int ac);
  void GG(unsigned int& a, unsigned int b, unsigned int c, unsigned int d, unsigned int x,
          unsigned int s, unsigned int ac);
  void HH(unsigned int& a, unsigned int b, unsigned int c, unsigned int d, unsigned int x,
          unsigned int s, unsigned int ac);
  void II(unsigned int& a, unsigned int b, unsigned int c, unsigned int d, unsigned int x,
          unsigned int s, unsigned int ac);

  unsigned int rotate_left(unsigned int x, unsigned int n);

  friend struct CMD5Inspector;

  unsigned int state[4];   // chaining value A, B, C, D
  unsigned int count[2];   // bits fed since Init, modulo 2^64, low word first
  unsigned char buffer[64];  // the incomplete last block
  unsigned char digest[16];  // the result of the last Finalize
};
