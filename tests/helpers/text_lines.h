#pragma once
// The lines of an editor's text as its CR LF breaks divide it (not the wrapped screen
// lines); an empty last line after a final break is not a line.
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::test {

inline std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t br = text.find("\r\n", from);
    if (br == std::string_view::npos) br = text.size();
    lines.emplace_back(text.substr(from, br - from));
    from = br + 2;
  }
  return lines;
}

} // namespace tavrin::test
