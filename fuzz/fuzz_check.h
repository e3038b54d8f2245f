// The fuzz targets' own checks: a broken invariant names itself and aborts,
// which libFuzzer reports as a crash and keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                  \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);       \
      std::abort();                                                                            \
    }                                                                                          \
  } while (0)
