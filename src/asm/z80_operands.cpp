#include "asm/z80_operands.h"

#include "asm/asm_error.h"

#include <unordered_map>

namespace tavasm {
namespace {

struct Keyword {
  K k;
  int code;
  std::uint8_t prefix;
};

const std::unordered_map<std::string_view, Keyword, NoCaseHash, NoCaseEqual>& keywords() {
  static const std::unordered_map<std::string_view, Keyword, NoCaseHash, NoCaseEqual> table = {
      {"b", {K::R8, 0, 0}},
      {"c", {K::R8, 1, 0}},
      {"d", {K::R8, 2, 0}},
      {"e", {K::R8, 3, 0}},
      {"h", {K::R8, 4, 0}},
      {"l", {K::R8, 5, 0}},
      {"a", {K::R8, 7, 0}},
      {"ixh", {K::IndexHalf, 4, 0xDD}},
      {"ixl", {K::IndexHalf, 5, 0xDD}},
      {"iyh", {K::IndexHalf, 4, 0xFD}},
      {"iyl", {K::IndexHalf, 5, 0xFD}},
      {"i", {K::I, 0, 0}},
      {"r", {K::R, 0, 0}},
      {"bc", {K::BC, 0, 0}},
      {"de", {K::DE, 1, 0}},
      {"hl", {K::HL, 2, 0}},
      {"sp", {K::SP, 3, 0}},
      {"af", {K::AF, 3, 0}},
      {"af'", {K::AFx, 0, 0}},
      {"ix", {K::IX, 2, 0xDD}},
      {"iy", {K::IY, 2, 0xFD}},
      {"nz", {K::Cond, 0, 0}},
      {"z", {K::Cond, 1, 0}},
      {"nc", {K::Cond, 2, 0}},
      {"po", {K::Cond, 4, 0}},
      {"pe", {K::Cond, 5, 0}},
      {"p", {K::Cond, 6, 0}},
      {"m", {K::Cond, 7, 0}},
      {"f", {K::F, 6, 0}},
  };
  return table;
}

const Keyword* keyword(const Token& t) {
  if (t.kind != T::Name || t.text.size() > 3) return nullptr;
  auto it = keywords().find(t.text);
  return it == keywords().end() ? nullptr : &it->second;
}

// The index of the ')' that closes the '(' at t[0], or npos.
size_t closing(Span t) {
  int depth = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i].kind == T::Open) ++depth;
    if (t[i].kind == T::Close && --depth == 0) return i;
  }
  return std::string::npos;
}

} // namespace

bool isRegisterName(std::string_view name) {
  auto it = name.size() <= 3 ? keywords().find(name) : keywords().end();
  return it != keywords().end() && it->second.k != K::F;
}

Op parseOperand(Span t) {
  if (t.empty()) throw AsmError("missing operand");
  Op op;
  op.all = t;
  if (t.size() == 1)
    if (const Keyword* k = keyword(t[0])) {
      op.k = k->k, op.code = k->code, op.prefix = k->prefix;
      return op;
    }
  if (t[0].kind == T::Open && closing(t) == t.size() - 1) {
    const Span inner = t.sub(1, t.size() - 1);
    const Keyword* k = inner.empty() ? nullptr : keyword(inner[0]);
    if (k && inner.size() == 1) {
      switch (k->k) {
      case K::BC:
        op.k = K::MemBC;
        return op;
      case K::DE:
        op.k = K::MemDE;
        return op;
      case K::HL:
        op.k = K::MemHL, op.code = 6;
        return op;
      case K::SP:
        op.k = K::MemSP;
        return op;
      case K::R8:
        if (k->code == 1) {
          op.k = K::MemC;
          return op;
        }
        break;
      default:
        break;
      }
    }
    if (k && (k->k == K::IX || k->k == K::IY) &&
        (inner.size() == 1 || inner[1].isOp("+") || inner[1].isOp("-"))) {
      op.k = K::Index, op.code = 6, op.prefix = k->prefix, op.expr = inner.from(1);
      return op;
    }
    op.k = K::Mem;
    op.expr = inner;
    return op;
  }
  op.expr = t;
  return op;
}

std::int32_t evaluateInRange(Evaluator& eval, Span expression, std::int32_t lo, std::int32_t hi,
                             const char* what) {
  const Arg a = eval.evaluate(expression);
  if (a.known && (a.value < lo || a.value > hi))
    throw AsmError("value " + std::to_string(a.value) + " is out of range for " + what + " (" +
                       std::to_string(lo) + ".." + std::to_string(hi) +
                       "): " + spelling(expression),
                   expression);
  return a.value;
}

} // namespace tavasm
