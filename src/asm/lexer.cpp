#include "asm/token.h"

namespace tavasm {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\r';
}
bool isHexDigit(char c) {
  return isDigit(c) || (lower(c) >= 'a' && lower(c) <= 'f');
}
bool isNumberChar(char c) {
  return isLetter(c) || isDigit(c) || c == '_';
}

// A value may start after these, so that '%' there opens a binary number and not a remainder.
bool valueMayFollow(const std::vector<Token>& out, size_t lineStart, bool space) {
  if (out.size() == lineStart) return true;
  const Token& t = out.back();
  switch (t.kind) {
  case T::Op:
  case T::Comma:
  case T::Open:
  case T::Colon:
  case T::Backslash:
    return true;
  case T::Name: // ".db %1010", "ld a, %1" but not "x%2"
    return space;
  default:
    return false;
  }
}

// Just past the closing quote of the constant that starts at s[i], or npos when it is not
// closed. A backslash escapes the next character.
size_t quotedEnd(std::string_view s, size_t i) {
  const char q = s[i++];
  while (i < s.size() && s[i] != q)
    i += (s[i] == '\\' && i + 1 < s.size()) ? 2 : 1;
  return i < s.size() ? i + 1 : std::string_view::npos;
}

} // namespace

void tokenize(std::string_view s, std::vector<Token>& out) {
  const size_t lineStart = out.size();
  bool space = false;
  for (size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (isBlank(c)) {
      space = true;
      ++i;
      continue;
    }
    if (c == ';') break;
    Token t;
    t.spaceBefore = space;
    t.col = static_cast<int>(i) + 1;
    size_t e = i + 1;
    auto word = [&](size_t from, bool (*allowed)(char)) {
      while (from < s.size() && allowed(s[from]))
        ++from;
      return from;
    };
    if (isDigit(c)) {
      t.kind = T::Number;
      e = word(i, isNumberChar);
    } else if (c == '$' && e < s.size() && isHexDigit(s[e])) {
      t.kind = T::Number;
      e = word(e, isNumberChar);
    } else if ((c == '%' && e < s.size() && (s[e] == '0' || s[e] == '1') &&
                valueMayFollow(out, lineStart, space)) ||
               (c == '@' && e < s.size() && isDigit(s[e]))) {
      t.kind = T::Number;
      e = word(e, isNumberChar);
    } else if (c == '$') {
      t.kind = T::Here;
    } else if (isLetter(c) || c == '_' || c == '.' ||
               (c == '#' && e < s.size() && isLetter(s[e]))) {
      t.kind = T::Name;
      e = word(e, isWordChar);
      // af' is the other accumulator, not a character constant.
      if (e < s.size() && s[e] == '\'' && e - i == 2 && equalsNoCase(s.substr(i, 2), "af")) ++e;
    } else if (c == '"' || c == '\'') {
      const size_t q = quotedEnd(s, i);
      t.kind = q == std::string_view::npos ? T::Bad : (c == '"' ? T::String : T::Char);
      e = q == std::string_view::npos ? s.size() : q;
    } else if (c == ',') {
      t.kind = T::Comma;
    } else if (c == '(') {
      t.kind = T::Open;
    } else if (c == ')') {
      t.kind = T::Close;
    } else if (c == ':') {
      t.kind = T::Colon;
    } else if (c == '\\') {
      t.kind = T::Backslash;
    } else {
      t.kind = T::Op;
      static constexpr std::string_view kPairs[] = {"<<", ">>", "==", "!=", "<=", ">=", "&&", "||"};
      for (std::string_view pair : kPairs)
        if (s.substr(i, 2) == pair) e = i + 2;
      // A byte of a multi-byte character is kept whole in the message.
      if (static_cast<unsigned char>(c) >= 0xC0)
        while (e < s.size() && (static_cast<unsigned char>(s[e]) & 0xC0) == 0x80)
          ++e;
    }
    t.text = s.substr(i, e - i);
    out.push_back(t);
    space = false;
    i = e;
  }
}

std::string spelling(Span span) {
  std::string out;
  for (const Token& t : span) {
    if (t.spaceBefore && !out.empty()) out += ' ';
    out += t.text;
  }
  return out;
}

std::string unquoted(std::string_view q) {
  std::string out;
  for (size_t i = 1; i + 1 < q.size(); ++i) {
    char c = q[i];
    if (c == '\\' && i + 2 < q.size()) {
      switch (q[++i]) {
      case 'n':
        c = '\n';
        break;
      case 'r':
        c = '\r';
        break;
      case 't':
        c = '\t';
        break;
      case '0':
        c = '\0';
        break;
      default:
        c = q[i]; // \\ \" \' and any other character stand for themselves
      }
    }
    out += c;
  }
  return out;
}

} // namespace tavasm
