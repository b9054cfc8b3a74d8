// The command-line splitter against a character-by-character model of its rules.
#include "app/command_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool separator(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// Reads the line as words between separators, quotes switching a word's "inside"
// state. A word that comes out empty is skipped when all its quotes were closed (empty
// pairs) and ends the list otherwise (a quote left open at the end).
std::vector<std::string> model(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    if (separator(line[i])) {
      ++i;
      continue;
    }
    std::string word;
    bool quoted = false;
    for (; i < line.size() && (quoted || !separator(line[i])); ++i) {
      if (line[i] == '"')
        quoted = !quoted;
      else
        word += line[i];
    }
    if (word.empty()) {
      if (quoted) break;
      continue;
    }
    words.push_back(word);
  }
  return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const auto words = tavrin::splitCommandLine(line);
  if (words != model(line)) std::abort();
  for (const auto& w : words)
    if (w.empty() || w.find('"') != std::string::npos) std::abort();
  const auto first = tavrin::firstArgument(line);
  if (first.has_value() != (words.size() >= 2)) std::abort();
  if (first && *first != words[1]) std::abort();
  return 0;
}
