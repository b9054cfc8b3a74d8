// Character classes and small string helpers that the assembler's scanners share.
#pragma once

#include <string>
#include <string_view>

namespace tavasm {

inline bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
inline bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}
// Names are letters, digits, '_' and '.', so ".equ" is one word and never "equ".
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

inline std::string_view trimmed(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && isSpace(s[b]))
    ++b;
  while (e > b && isSpace(s[e - 1]))
    --e;
  return s.substr(b, e - b);
}

// The end of the quoted text that starts at s[i] (a '"' or '\''), just past the closing quote,
// or s.size() when it is not closed. A backslash escapes the next character.
inline size_t skipQuoted(std::string_view s, size_t i) {
  const char q = s[i++];
  while (i < s.size() && s[i] != q)
    i += (s[i] == '\\' && i + 1 < s.size()) ? 2 : 1;
  return i < s.size() ? i + 1 : s.size();
}

// A '\'' opens a character constant only where a value can start: after "af" it is the
// register's prime ("af'").
inline bool opensCharConstant(std::string_view s, size_t i) {
  return s[i] == '\'' && (i == 0 || !isWordChar(s[i - 1]));
}

// Where the comment starts (a ';' outside quotes), or s.size().
inline size_t commentStart(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    if (s[i] == ';') return i;
    if (s[i] == '"' || opensCharConstant(s, i))
      i = skipQuoted(s, i);
    else
      ++i;
  }
  return s.size();
}

} // namespace tavasm
