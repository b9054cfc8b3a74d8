// The operands of a Z80 instruction, told apart by their tokens: registers, register pairs,
// conditions, (hl), (ix+d), memory at an address, and values.
#pragma once

#include "asm/token.h"

#include <cstdint>
#include <string>

namespace tavasm {

// What an operand is. R8 covers b c d e h l a (their codes in opcodes: 0..5 and 7); the
// index halves are R8 codes 4 and 5 under a DD or FD prefix; Index is (ix+d) or (iy+d).
enum class K {
  R8,
  IndexHalf,
  MemHL,
  Index,
  I,
  R,
  BC,
  DE,
  HL,
  SP,
  AF,
  AFx,
  IX,
  IY,
  MemBC,
  MemDE,
  MemSP,
  MemC,
  Mem,
  Imm,
  Cond,
  F
};

struct Op {
  K k = K::Imm;
  int code = 0;
  std::uint8_t prefix = 0;
  Span expr; // Imm and Mem: the value; Index: the offset with its sign, or nothing
  Span all;  // the whole operand, for messages
};

// Throws AsmError for an empty operand.
Op parseOperand(Span tokens);

// A register or condition name ("hl", "nz", "af'"), which can't name a label or symbol.
bool isRegisterName(std::string_view name);

class Evaluator;

// The value of `expression`, which must lie in lo..hi once it is known; `what` names the
// kind of value in the message ("a byte").
std::int32_t evaluateInRange(Evaluator& eval, Span expression, std::int32_t lo, std::int32_t hi,
                             const char* what);

struct Arg {
  std::int32_t value = 0;
  bool known = true; // false in the first pass for a symbol defined further on
};

class Evaluator {
public:
  virtual ~Evaluator() = default;
  virtual Arg evaluate(Span expression) = 0;
  virtual void warn(const std::string& text, const Token& at) = 0;
};

} // namespace tavasm
