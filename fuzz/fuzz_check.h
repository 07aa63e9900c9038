#pragma once

#include <cstdio>
#include <cstdlib>

// A promise of the code under test that an input broke: reported and turned into a crash, so
// that libFuzzer keeps the input as it keeps a sanitizer report. Not assert(): the targets
// build with NDEBUG.
inline void FuzzCheck(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}
