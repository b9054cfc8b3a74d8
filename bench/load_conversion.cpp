// The load conversion's speed against memcpy of the same bytes, for a 4 MB file with LF
// breaks (every break rewritten) and one with CR LF breaks (kept, without a copy). The
// conversion gets the file's bytes as the loader does, in a buffer of their own.
// Usage: bench_load_conversion [rounds]
#include "bench_common.h"
#include "document/text_format.h"

#include <cstdlib>
#include <cstring>
#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace tavrin::bench;

namespace {

volatile std::size_t sink;

void run(const char* key, const std::string& file, int rounds) {
  std::string copy(file.size(), '\0'); // touched once, like a warm destination
  Pair pair;
  for (int r = 0; r < rounds; ++r) {
    std::string bytes = file; // what reading the file gave
    auto start = Clock::now();
    std::string text = tavrin::toEditorText(std::move(bytes));
    pair.measured.push_back(millisecondsSince(start));
    sink = sink + text.size();

    start = Clock::now();
    std::memcpy(copy.data(), file.data(), file.size());
    pair.baseline.push_back(millisecondsSince(start));
    sink = sink + static_cast<unsigned char>(copy[copy.size() / 2]);
  }
  pair.report(key);
  const double m = median(pair.measured), b = median(pair.baseline);
  std::printf("# %s: conversion %.0f MB/s, memcpy %.0f MB/s, %.0f%% of memcpy\n", key,
              file.size() / m / 1000, file.size() / b / 1000, 100 * b / m);
}

} // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // Large blocks from the heap, used again round after round: otherwise each round's
  // result is new memory from the system, and on some machines its page faults alone
  // cost more than the whole conversion. Both sides are measured on warm memory.
  mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
#endif
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 31;
  run("conversion_lf", sourceText("\n"), rounds);
  run("conversion_crlf", sourceText("\r\n"), rounds);
  return 0;
}
