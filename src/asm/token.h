// A source line read once into tokens. Every later stage (the preprocessor, statements,
// expressions, the encoder) works on these; none reads the text again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavasm {

enum class T : std::uint8_t {
  Name,      // a label, symbol, mnemonic, register, directive (".db", "#define") or "af'"
  Number,    // 12, 0FFh, $FF, %1010, @17, 0x1F: the spelling, read when it is used
  String,    // "..." with its quotes and escapes as written
  Char,      // '...' likewise
  Here,      // $ alone: the location counter
  Op,        // an operator, or any other sign, which expressions refuse
  Comma,     // ,
  Open,      // (
  Close,     // )
  Colon,     // :
  Backslash, // \ between statements on one line
  Bad,       // a string or character constant that is not closed
};

struct MacroOrigin; // the #define a token was substituted from

struct Token {
  T kind = T::Bad;
  bool spaceBefore = false; // blanks stand between it and the token before
  int col = 1;              // 1-based byte column in the line being assembled
  std::string_view text;    // the spelling; it points into text that lives as long as the run
  const MacroOrigin* macro = nullptr;

  bool is(T k, std::string_view spelling) const { return kind == k && text == spelling; }
  bool isOp(std::string_view spelling) const { return is(T::Op, spelling); }
};

// A run of tokens: an operand, an expression, a statement.
struct Span {
  const Token* first = nullptr;
  const Token* last = nullptr; // one past the end
  size_t size() const { return static_cast<size_t>(last - first); }
  bool empty() const { return first == last; }
  const Token& operator[](size_t i) const { return first[i]; }
  const Token* begin() const { return first; }
  const Token* end() const { return last; }
  Span from(size_t i) const { return {first + i, last}; }
  Span sub(size_t b, size_t e) const { return {first + b, first + e}; }
};

// Appends the tokens of one line (without its line break) to `out`; a ';' outside quotes
// ends the line.
void tokenize(std::string_view line, std::vector<Token>& out);

// The spelling of a span, as a message shows it ("(ix+5)").
std::string spelling(Span span);

// The text of a string or character constant, its escapes (\n \r \t \0 \\ \" \') read.
std::string unquoted(std::string_view quoted);

// Character classes shared by the readers.
inline bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
inline bool isWordChar(char c) {
  return isLetter(c) || isDigit(c) || c == '_' || c == '.';
}
inline char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
inline std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    c = lower(c);
  return out;
}
inline bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

// Hashing and comparing names without regard to case, for the tables of names.
struct NoCaseHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const {
    std::uint64_t h = 14695981039346656037ull; // 64 bits on every build, 32-bit ones too
    for (char c : s)
      h = (h ^ static_cast<unsigned char>(lower(c))) * 1099511628211ull;
    return static_cast<size_t>(h ^ (h >> 32));
  }
};
struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return equalsNoCase(a, b); }
};

} // namespace tavasm
