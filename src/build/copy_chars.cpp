#include "build/copy_chars.h"

#include <algorithm>

namespace tavrin {

std::string CopyChars(std::string_view s, unsigned start, unsigned count) {
  s = s.substr(0, std::min<std::size_t>(s.size(), 255));
  std::size_t first = start & 0xFFu; // 1-based
  std::size_t n = count & 0xFFu;
  if (first == 0) {
    if (n == 0) return {};
    first = 1, --n;
  }
  if (s.empty() || n == 0 || first > s.size()) return {};
  return std::string(s.substr(first - 1, n));
}

std::string compileBaseName(const std::string& sourceFileName) {
  // Unsigned wrap-around gives the 8-bit count for names shorter than four.
  return CopyChars(sourceFileName, 1, static_cast<unsigned>(sourceFileName.size() - 4));
}

} // namespace tavrin
