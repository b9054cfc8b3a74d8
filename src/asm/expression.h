// Expressions in operands and directives: numbers in TASM's notations, character constants,
// symbols, the location counter and anonymous labels, with operators applied strictly left
// to right (1+2*3 is 9); parentheses group.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavasm {

class Symbols {
public:
  virtual ~Symbols() = default;
  // The value of a name, or nothing while it is not (yet) known.
  virtual std::optional<std::int32_t> symbol(std::string_view name) = 0;
  // An anonymous label: -1 the nearest one before (or on) this line, -2 the one before it,
  // +1 the nearest one after, +2 the one after that.
  virtual std::optional<std::int32_t> anonymous(int offset) = 0;
  virtual std::int32_t here() = 0; // the location counter, "$"
};

struct Value {
  std::int32_t value = 0;
  bool known = true;     // false when a symbol in it is not defined (yet)
  std::string undefined; // the first such symbol, for the message
};

// Throws AsmError on a malformed expression or a division by zero.
Value evaluate(std::string_view text, Symbols& symbols);

// A character constant's or string's escapes: \n \r \t \\ \" \' and \0.
char unescape(char c);

} // namespace tavasm
