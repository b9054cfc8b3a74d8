#pragma once
// Timing helpers shared by the benchmarks: medians of repeated runs, and one result
// line per figure that bench/run.sh gathers into its table.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace tavrin::bench {

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Two timings taken in turn in each round, so both see the same machine load.
struct Pair {
  std::vector<double> measured, baseline;
  void report(const char* key) const {
    const double m = median(measured), b = median(baseline);
    std::printf("RESULT %s %.3f %.3f %.2f\n", key, m, b, b > 0 ? m / b : 0.0);
    std::fflush(stdout);
  }
};

// 100,000 lines of assembly-like text, each 38 characters before its break: 4,000,000
// bytes with CR LF breaks. The last line holds the word Find looks for.
inline std::string sourceText(const char* lineBreak, std::size_t lines = 100000) {
  std::string text;
  const std::size_t breakSize = std::char_traits<char>::length(lineBreak);
  text.reserve(lines * (38 + breakSize));
  char line[64];
  for (std::size_t i = 0; i < lines; ++i) {
    if (i + 1 == lines)
      std::snprintf(line, sizeof line, "\tcall lastroutine\t; the end      %5zu", i % 100000);
    else
      std::snprintf(line, sizeof line, "\tld hl,%5zu\t; line %6zu of the text", i % 65536, i);
    text.append(line, 38);
    text += lineBreak;
  }
  return text;
}

} // namespace tavrin::bench
