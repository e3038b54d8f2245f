// Reaches the private fields and members of CMD5 for the tests.
#pragma once

#include <digest/cmd5.h>

struct CMD5Inspector {
  static unsigned int* State(CMD5& m) { return m.state; }
  static unsigned int* Count(CMD5& m) { return m.count; }
  static unsigned char* Buffer(CMD5& m) { return m.buffer; }

  static void Transform(CMD5& m, unsigned char* block) { m.Transform(block); }
  static void Encode(CMD5& m, unsigned char* out, unsigned int* in, unsigned int length) {
    m.Encode(out, in, length);
  }
  static void Decode(CMD5& m, unsigned int* out, unsigned char* in, unsigned int length) {
    m.Decode(out, in, length);
  }

  static unsigned int F(CMD5& m, unsigned x, unsigned y, unsigned z) { return m.F(x, y, z); }
  static unsigned int G(CMD5& m, unsigned x, unsigned y, unsigned z) { return m.G(x, y, z); }
  static unsigned int H(CMD5& m, unsigned x, unsigned y, unsigned z) { return m.H(x, y, z); }
  static unsigned int I(CMD5& m, unsigned x, unsigned y, unsigned z) { return m.I(x, y, z); }
  static unsigned int RotateLeft(CMD5& m, unsigned x, unsigned n) { return m.rotate_left(x, n); }

  using Step = void (CMD5::*)(unsigned int&, unsigned int, unsigned int, unsigned int,
                              unsigned int, unsigned int, unsigned int);
  static constexpr Step kSteps[4] = {&CMD5::FF, &CMD5::GG, &CMD5::HH, &CMD5::II};
};
