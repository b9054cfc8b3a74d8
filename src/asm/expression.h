// Expressions in operands and directives: numbers in the notations TI sources use, character
// constants, symbols, the location counter and anonymous labels, with operators applied
// strictly left to right (1+2*3 is 9); parentheses group.
#pragma once

#include "asm/token.h"

#include <cstdint>
#include <optional>

namespace tavasm {

class Symbols {
public:
  virtual ~Symbols() = default;
  // The value of a name, or nothing while it is not (yet) known. May throw AsmError when
  // the name can never have a value.
  virtual std::optional<std::int32_t> symbol(const Token& name) = 0;
  // An anonymous label: -1 the nearest one before (or on) this line, -2 the one before it,
  // +1 the nearest one after, +2 the one after that.
  virtual std::optional<std::int32_t> anonymous(int offset) = 0;
  virtual std::int32_t here() = 0; // the location counter, "$"
};

struct Value {
  std::int32_t value = 0;
  bool known = true;              // false when a name in it has no value (yet)
  std::optional<Token> undefined; // the first such name, or the anonymous label's sign
};

// Throws AsmError on a malformed expression, a number that is no number, or a division by
// zero.
Value evaluate(Span tokens, Symbols& symbols);

// The value of a number token's spelling; throws AsmError when it is no number or needs
// more than 32 bits.
std::int32_t numberValue(const Token& number);

} // namespace tavasm
