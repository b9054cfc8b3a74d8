#pragma once
// Find Next: the first line that holds the text, and the first place in that line.
#include "ports/editor.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

struct Match {
  std::size_t offset = 0; // into the whole text, a line break counting two characters
  std::size_t length = 0;
  friend bool operator==(const Match&, const Match&) = default;
};

// Walks the CR LF lines of text from the first; in the first line that contains
// needle (exact, case-sensitive), takes its first occurrence. A lone CR or LF is an
// ordinary character of its line. An empty needle occurs nowhere.
std::optional<Match> findFirst(std::string_view text, std::string_view needle);

// Reads the editor's text once and searches it. On a match the editor gets the focus
// and the selection; otherwise nothing is touched. Returns whether it was found.
bool runFind(Editor& editor, const std::string& needle);

} // namespace tavrin
