// One statement of a line, as tokens: its label, then a .equ (or =), a directive or an
// instruction with its operands.
#pragma once

#include "asm/token.h"

#include <vector>

namespace tavasm {

struct Statement {
  enum class Kind { Empty, Equ, Directive, Instruction };
  Kind kind = Kind::Empty;
  const Token* label = nullptr; // the name it defines, or none
  bool labelInFirstColumn = false;
  const Token* keyword = nullptr; // ".db", "ld", ".equ" or "="
  Span operands;                  // what follows the keyword
};

// `firstOfLine`: the statement starts its line, where a name in the first column is a label.
// Throws AsmError when it is none of the above.
Statement parseStatement(Span tokens, bool firstOfLine);

// The operands between commas outside parentheses; an empty list for no tokens.
void splitOperands(Span tokens, std::vector<Span>& out);

} // namespace tavasm
