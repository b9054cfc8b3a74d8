// The load conversion's throughput against memcpy of the same bytes, for a 4 MB file
// with LF breaks (every break rewritten) and one with CR LF breaks (kept).
// Usage: bench_load_conversion [rounds]
#include "bench_common.h"
#include "document/text_format.h"

#include <cstdlib>
#include <cstring>

using namespace tavrin::bench;

namespace {

volatile std::size_t sink;

void run(const char* key, const std::string& file, int rounds) {
  std::string copy(file.size(), '\0'); // touched once, like a warm destination
  Pair pair;
  for (int r = 0; r < rounds; ++r) {
    auto start = Clock::now();
    std::string text = tavrin::toEditorText(file);
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
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 31;
  run("conversion_lf", sourceText("\n"), rounds);
  run("conversion_crlf", sourceText("\r\n"), rounds);
  return 0;
}
