// The one exception the assembler's stages throw: a message about the statement being
// assembled, at the token it is about (or at the statement's start when none is given).
#pragma once

#include "asm/token.h"

#include <stdexcept>
#include <string>

namespace tavasm {

class AsmError : public std::runtime_error {
public:
  explicit AsmError(const std::string& text, const Token* at = nullptr)
      : std::runtime_error(text), at_(at ? *at : Token{}), hasToken_(at != nullptr) {}
  AsmError(const std::string& text, Span at) : AsmError(text, at.empty() ? nullptr : at.first) {}
  // The token the message is about, if one was given.
  const Token* at() const { return hasToken_ ? &at_ : nullptr; }

private:
  Token at_;
  bool hasToken_;
};

} // namespace tavasm
