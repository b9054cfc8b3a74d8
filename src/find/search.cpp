#include "find/search.h"

namespace tavrin {

std::optional<Match> findFirst(std::string_view text, std::string_view needle) {
  if (needle.empty()) return std::nullopt;
  std::size_t lineStart = 0;
  for (;;) {
    const std::size_t br = text.find("\r\n", lineStart);
    const std::size_t lineEnd = br == std::string_view::npos ? text.size() : br;
    const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    const std::size_t pos = line.find(needle);
    if (pos != std::string_view::npos) return Match{lineStart + pos, needle.size()};
    if (br == std::string_view::npos) return std::nullopt;
    lineStart = br + 2;
  }
}

bool runFind(Editor& editor, const std::string& needle) {
  const std::string text = editor.text();
  const auto match = findFirst(text, needle);
  if (!match) return false;
  editor.focus();
  editor.select(match->offset, match->length);
  return true;
}

} // namespace tavrin
