#pragma once
// The lines of a text as its CR LF breaks divide it; an empty last line after a final
// break is not a line.
#include <string_view>
#include <vector>

namespace tavrin {

inline std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t br = text.find("\r\n", from);
    if (br == std::string_view::npos) br = text.size();
    lines.push_back(text.substr(from, br - from));
    from = br + 2;
  }
  return lines;
}

} // namespace tavrin
