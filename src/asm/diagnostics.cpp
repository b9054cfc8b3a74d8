#include "asm/diagnostics.h"

namespace tavasm {

std::string format(const Message& m) {
  std::string out = m.file;
  if (m.line > 0) out += ":" + std::to_string(m.line);
  if (m.line > 0 && m.col > 0) out += ":" + std::to_string(m.col);
  out += m.error ? ": error: " : ": warning: ";
  out += m.text;
  if (m.line > 0 && !m.source.empty()) {
    // A long line is shown around the column only.
    constexpr size_t kShown = 120;
    std::string_view line = m.source;
    size_t col = m.col > 0 ? static_cast<size_t>(m.col) : 1;
    std::string before, after;
    if (line.size() > kShown) {
      const size_t from = col > kShown / 2 ? col - kShown / 2 : 0;
      if (from > 0) before = "...";
      if (from + kShown < line.size()) after = "...";
      line = line.substr(from, kShown);
      col = col - from + before.size();
    }
    const std::string shown = before + std::string(line) + after;
    out += "\n " + shown;
    if (m.col > 0) {
      // The caret lines up under the column: tabs stay tabs, everything else is a blank.
      std::string pad;
      for (size_t i = 0; i + 1 < col && i < shown.size(); ++i)
        if ((static_cast<unsigned char>(shown[i]) & 0xC0) != 0x80) // one blank a character
          pad += shown[i] == '\t' ? '\t' : ' ';
      out += "\n " + pad + "^";
    }
  }
  for (const auto& link : m.chain)
    out += "\n  " + link;
  return out;
}

Message messageAt(const Where& where, const Token* at, bool error, const std::string& text) {
  // A message about the whole line points at its first word.
  const size_t first = where.text.find_first_not_of(" \t\f\v");
  const int col = at ? at->col : first == std::string_view::npos ? 1 : static_cast<int>(first) + 1;
  Message m{*where.file, where.line, col, error, text, std::string(where.text), {}};
  if (at && at->macro)
    m.chain.push_back("in macro " + at->macro->name +
                      (at->macro->file ? " (defined at " + *at->macro->file + ":" +
                                             std::to_string(at->macro->line) + ")"
                                       : std::string(" (defined with -D)")));
  if (where.chain) m.chain.insert(m.chain.end(), where.chain->begin(), where.chain->end());
  return m;
}

} // namespace tavasm
