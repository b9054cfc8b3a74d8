#include "asm/statement.h"

#include "asm/asm_error.h"

namespace tavasm {

Statement parseStatement(Span t, bool firstOfLine) {
  Statement s;
  size_t i = 0;
  if (t.empty()) return s;
  if (firstOfLine && t[0].col == 1 && !t[0].macro) {
    const char c = t[0].text[0];
    if (t[0].kind == T::Name && c != '.' && c != '#') {
      s.label = &t[0];
      s.labelInFirstColumn = true;
      i = (t.size() > 1 && t[1].kind == T::Colon) ? 2 : 1;
    } else if (!(t[0].kind == T::Name && c == '.')) {
      throw AsmError(spelling(t) +
                         " starts in the first column, where a label goes; a label begins with a "
                         "letter or _, and instructions are indented",
                     &t[0]);
    }
  } else if (t.size() > 1 && t[0].kind == T::Name && t[1].kind == T::Colon && t[0].text[0] != '.') {
    s.label = &t[0];
    i = 2;
  }
  if (i == t.size()) return s;
  const Token& k = t[i];
  s.keyword = &k;
  s.operands = t.from(i + 1);
  if (k.isOp("=") ||
      (k.kind == T::Name && (equalsNoCase(k.text, ".equ") || equalsNoCase(k.text, "equ")))) {
    s.kind = Statement::Kind::Equ;
  } else if (k.kind == T::Name && k.text[0] == '.') {
    s.kind = Statement::Kind::Directive;
  } else if (k.kind == T::Name && k.text[0] != '#') {
    s.kind = Statement::Kind::Instruction;
  } else {
    throw AsmError(spelling(t.from(i)) + " is no instruction", &k);
  }
  return s;
}

void splitOperands(Span t, std::vector<Span>& out) {
  out.clear();
  if (t.empty()) return;
  int depth = 0;
  const Token* start = t.first;
  for (const Token* p = t.first; p != t.last; ++p) {
    if (p->kind == T::Open) ++depth;
    if (p->kind == T::Close && depth > 0) --depth;
    if (p->kind == T::Comma && depth == 0) {
      out.push_back({start, p});
      start = p + 1;
    }
  }
  out.push_back({start, t.last});
}

} // namespace tavasm
