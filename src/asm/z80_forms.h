// The forms of each Z80 instruction: which operands it takes and the bytes they make. Used
// by the encoder, which picks the form by the mnemonic.
#pragma once

#include "asm/asm_error.h"
#include "asm/z80_operands.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavasm::z80 {

inline bool isRegister8(const Op& o) {
  return o.k == K::R8 || o.k == K::IndexHalf || o.k == K::MemHL || o.k == K::Index;
}
inline bool isPair(const Op& o) {
  return o.k == K::BC || o.k == K::DE || o.k == K::HL || o.k == K::SP;
}
inline bool isIndexPair(const Op& o) {
  return o.k == K::IX || o.k == K::IY;
}
inline bool isA(const Op& o) {
  return o.k == K::R8 && o.code == 7;
}

class Encoder {
public:
  Encoder(const Token& mnemonic, const std::vector<Span>& operands, std::uint16_t pc,
          Evaluator& eval, std::vector<std::uint8_t>& out)
      : mnemonic_(mnemonic), operands_(operands), pc_(pc), eval_(eval), out_(out) {
    if (operands.size() > kMaxOperands) noForm();
    for (size_t i = 0; i < operands.size(); ++i) {
      if (operands[i].empty())
        throw AsmError(i + 1 == operands.size() ? "missing operand after ','"
                                                : "missing operand before ','",
                       i > 0 ? operands[i - 1].last : &mnemonic);
      ops_[i] = parseOperand(operands[i]);
    }
  }

  [[noreturn]] void noForm() const {
    std::string list;
    for (auto t : operands_)
      list += (list.empty() ? "" : ",") + spelling(t);
    if (operands_.empty()) {
      const auto need = kNeeds.find(lowered(mnemonic_.text));
      if (need != kNeeds.end())
        throw AsmError(std::string(mnemonic_.text) + " needs " + need->second, &mnemonic_);
    }
    throw AsmError("no form of " + std::string(mnemonic_.text) + " takes the operands \"" + list +
                       "\"",
                   operands_.empty() ? &mnemonic_ : operands_[0].first);
  }

  // A value where the instruction has no memory operand: "(5)" is the value 5, as the
  // parentheses of an expression, with a warning, since a memory operand may have been meant.
  bool immediate(Op& o) {
    if (o.k == K::Imm) return true;
    if (o.k != K::Mem) return false;
    eval_.warn(std::string(mnemonic_.text) + " has no memory operand here: " + spelling(o.all) +
                   " is read as the value " + spelling(o.expr),
               *o.all.first);
    o.k = K::Imm;
    return true;
  }

  size_t count() const { return operands_.size(); }
  Op& op(size_t i) { return ops_[i]; }
  void need(size_t n) const {
    if (count() != n) noForm();
  }

  void emit(std::uint8_t b) { out_.push_back(b); }
  void emit(std::uint8_t a, std::uint8_t b) { emit(a), emit(b); }
  void prefix(std::uint8_t p) {
    if (p) emit(p);
  }

  std::int32_t checked(Span expr, std::int32_t lo, std::int32_t hi, const char* what) {
    return evaluateInRange(eval_, expr, lo, hi, what);
  }
  void byte(Span expr) { emit(static_cast<std::uint8_t>(checked(expr, -128, 255, "a byte"))); }
  void word(Span expr) {
    const std::int32_t v = checked(expr, -32768, 65535, "a word");
    emit(static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8));
  }
  void displacement(const Op& o) {
    if (o.k != K::Index) return;
    emit(o.expr.empty() ? 0
                        : static_cast<std::uint8_t>(checked(o.expr, -128, 127, "an index offset")));
  }
  void relative(Span expr) {
    const Arg a = eval_.evaluate(expr);
    const std::int32_t d = a.known ? a.value - (pc_ + 2) : 0;
    if (d < -128 || d > 127)
      throw AsmError("jump target " + spelling(expr) + " is " + std::to_string(d) +
                         " bytes away; a relative jump reaches -128..127",
                     expr);
    emit(static_cast<std::uint8_t>(d));
  }
  // The value, or nothing while it is not known.
  std::optional<std::int32_t> value(Span expr) {
    const Arg a = eval_.evaluate(expr);
    return a.known ? std::optional<std::int32_t>(a.value) : std::nullopt;
  }

  int condition(const Op& o, bool relativeJump) const {
    int cc = o.k == K::Cond ? o.code : (o.k == K::R8 && o.code == 1) ? 3 : -1;
    if (cc < 0 || (relativeJump && cc > 3)) noForm();
    return cc;
  }

  // Two 8-bit operands in one instruction: one index register at most, (ix+d) beside plain
  // registers only, and ixh/ixl never beside h, l or (hl).
  void checkPair(const Op& a, const Op& b) const {
    if (a.prefix && b.prefix && a.prefix != b.prefix) noForm();
    if (a.k == K::MemHL && b.k == K::MemHL) noForm();
    for (const auto* x : {&a, &b}) {
      const Op& other = x == &a ? b : a;
      if (x->k == K::Index && other.k != K::R8) noForm();
      if (x->k == K::IndexHalf && (other.k == K::MemHL || other.k == K::Index ||
                                   (other.k == K::R8 && (other.code == 4 || other.code == 5))))
        noForm();
    }
  }

  // An instruction on one 8-bit operand: prefix, opcode, then the offset of (ix+d).
  void onRegister(const Op& r, std::uint8_t opcode) {
    prefix(r.prefix);
    emit(opcode);
    displacement(r);
  }

  void ld();
  void alu(int index);
  void arithmetic16(int index);
  void incDec(bool dec);
  void shift(int index);
  void bitOp(std::uint8_t base);
  void jp();
  void jr();
  void call();
  void ret();
  void rst();
  void pushPop(std::uint8_t base);
  void ex();
  void in();
  void out();
  void im();

private:
  static const std::unordered_map<std::string, const char*> kNeeds;
  const Token& mnemonic_;
  const std::vector<Span>& operands_;
  static constexpr size_t kMaxOperands = 2; // no Z80 instruction takes more
  Op ops_[kMaxOperands];
  std::uint16_t pc_;
  Evaluator& eval_;
  std::vector<std::uint8_t>& out_;
};

} // namespace tavasm::z80
