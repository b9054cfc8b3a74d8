#include "asm/expression.h"

#include "asm/asm_error.h"

#include <vector>

namespace tavasm {
namespace {

bool isHexDigit(char c) {
  return isDigit(c) || (lower(c) >= 'a' && lower(c) <= 'f');
}
int digitValue(char c) {
  return isDigit(c) ? c - '0' : lower(c) - 'a' + 10;
}

// Arithmetic in 32 bits that wraps the way registers do, without signed overflow.
std::int32_t wrap(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

constexpr int kMaxNesting = 200; // parentheses and unary operators, together

class Parser {
public:
  Parser(Span tokens, Symbols& symbols) : t_(tokens), symbols_(symbols) {}

  Value run() {
    if (t_.empty()) throw AsmError("missing value");
    const std::int32_t v = expression(0);
    if (at_ != t_.size()) unexpected();
    Value out;
    out.value = v;
    out.known = !undefined_;
    out.undefined = undefined_;
    return out;
  }

private:
  [[noreturn]] void unexpected() const {
    const Token& t = t_[at_];
    if (t.kind == T::String) throw AsmError("a string can't be used in an expression", &t);
    if (t.kind == T::Bad)
      throw AsmError(t.text[0] == '"' ? "unclosed string" : "unclosed character constant", &t);
    throw AsmError("unexpected " + std::string(t.text) + " in expression", &t);
  }

  bool atEnd() const { return at_ == t_.size(); }

  std::int32_t expression(int depth) {
    std::int32_t v = term(depth);
    while (!atEnd() && t_[at_].kind != T::Close) {
      const Token& op = t_[at_];
      if (op.kind != T::Op) unexpected();
      ++at_;
      if (atEnd()) throw AsmError("missing value after " + std::string(op.text), &op);
      v = apply(op, v, term(depth));
    }
    return v;
  }

  std::int32_t apply(const Token& op, std::int64_t a, std::int64_t b) {
    const std::string_view o = op.text;
    if (o == "+") return wrap(a + b);
    if (o == "-") return wrap(a - b);
    if (o == "*") return wrap(a * b);
    if (o == "/" || o == "%") {
      if (b == 0) {
        if (undefined_) return 0; // not known yet: no verdict
        throw AsmError("division by zero", &op);
      }
      return wrap(o == "/" ? a / b : a % b);
    }
    if (o == "&") return wrap(a & b);
    if (o == "|") return wrap(a | b);
    if (o == "^") return wrap(a ^ b);
    const std::uint32_t bits = static_cast<std::uint32_t>(a);
    if (o == "<<") return (b < 0 || b > 31) ? 0 : wrap(std::int64_t{bits} << b);
    if (o == ">>") return (b < 0 || b > 31) ? 0 : wrap(bits >> b);
    if (o == "==" || o == "=") return a == b;
    if (o == "!=") return a != b;
    if (o == "<") return a < b;
    if (o == ">") return a > b;
    if (o == "<=") return a <= b;
    if (o == ">=") return a >= b;
    if (o == "&&") return a && b;
    if (o == "||") return a || b;
    throw AsmError("unexpected " + std::string(o) + " in expression", &op);
  }

  // A run of one sign right before "_" ("-_", "++_") is an anonymous label; its length is
  // the distance. Found in one look, so long runs of signs cost no more than their length.
  std::optional<std::int32_t> anonymousLabel() {
    if (at_ < plainSignsUntil_) return std::nullopt;
    const Token& first = t_[at_];
    size_t i = at_;
    while (i < t_.size() && t_[i].isOp(first.text) && (i == at_ || !t_[i].spaceBefore))
      ++i;
    if (i >= t_.size() || !t_[i].is(T::Name, "_") || t_[i].spaceBefore) {
      plainSignsUntil_ = i; // the rest of the run is no label either
      return std::nullopt;
    }
    const int count = static_cast<int>(i - at_);
    at_ = i + 1;
    return anonymous(first.text == "-" ? -count : count, first);
  }

  std::int32_t anonymous(int offset, const Token& at) {
    if (auto v = symbols_.anonymous(offset)) return *v;
    if (!undefined_) undefined_ = at;
    return symbols_.here();
  }

  std::int32_t term(int depth) {
    // Unary operators are gathered in a loop, not by recursion, and count towards the
    // nesting limit as parentheses do.
    std::vector<const Token*> unary;
    for (;;) {
      if (atEnd()) throw AsmError("missing value", unary.empty() ? nullptr : unary.back());
      const Token& t = t_[at_];
      if (t.isOp("-") || t.isOp("+")) {
        if (auto anon = anonymousLabel()) return applyUnary(unary, *anon);
      } else if (!t.isOp("~") && !t.isOp("!")) {
        break;
      }
      unary.push_back(&t);
      if (depth + static_cast<int>(unary.size()) > kMaxNesting)
        throw AsmError("expression nested deeper than " + std::to_string(kMaxNesting) +
                           " parentheses and signs",
                       &t);
      ++at_;
    }
    return applyUnary(unary, primary(depth + static_cast<int>(unary.size())));
  }

  static std::int32_t applyUnary(const std::vector<const Token*>& unary, std::int32_t v) {
    for (size_t i = unary.size(); i-- > 0;) {
      const std::string_view o = unary[i]->text;
      v = o == "-" ? wrap(-std::int64_t{v}) : o == "~" ? ~v : o == "!" ? (v == 0) : v;
    }
    return v;
  }

  std::int32_t primary(int depth) {
    const Token& t = t_[at_];
    switch (t.kind) {
    case T::Open: {
      if (depth + 1 > kMaxNesting)
        throw AsmError("expression nested deeper than " + std::to_string(kMaxNesting) +
                           " parentheses and signs",
                       &t);
      ++at_;
      if (atEnd()) throw AsmError("missing ')'", &t);
      const std::int32_t v = expression(depth + 1);
      if (atEnd()) throw AsmError("missing ')'", &t);
      ++at_;
      return v;
    }
    case T::Number:
      ++at_;
      return numberValue(t);
    case T::Char: {
      ++at_;
      const std::string c = unquoted(t.text);
      if (c.size() != 1)
        throw AsmError("a character constant holds one character: " + std::string(t.text), &t);
      return static_cast<unsigned char>(c[0]);
    }
    case T::Here:
      ++at_;
      return symbols_.here();
    case T::Name: {
      ++at_;
      if (t.text == "_") return anonymous(1, t);
      if (auto v = symbols_.symbol(t)) return *v;
      if (!undefined_) undefined_ = t;
      return 0;
    }
    default:
      unexpected();
    }
  }

  Span t_;
  Symbols& symbols_;
  size_t at_ = 0;
  size_t plainSignsUntil_ = 0; // the signs before this are unary operators
  std::optional<Token> undefined_;
};

} // namespace

std::int32_t numberValue(const Token& t) {
  std::string_view word = t.text;
  int base = 10;
  auto bad = [&](const char* why) {
    return AsmError(std::string(why) + " '" + std::string(t.text) + "'", &t);
  };
  if (word[0] == '$') {
    base = 16, word.remove_prefix(1);
  } else if (word[0] == '%') {
    base = 2, word.remove_prefix(1);
  } else if (word[0] == '@') {
    base = 8, word.remove_prefix(1);
  } else if (word.size() > 2 && word[0] == '0' && lower(word[1]) == 'x') {
    base = 16, word.remove_prefix(2);
  } else {
    const char last = lower(word.back());
    if (last == 'h')
      base = 16;
    else if (last == 'b' && word.size() > 1 && word.find_first_not_of("01") == word.size() - 1)
      base = 2;
    else if (last == 'o' || last == 'q')
      base = 8;
    if (base != 10 || (last == 'd' && word.size() > 1)) word.remove_suffix(1);
  }
  if (word.empty()) throw bad("bad number");
  std::uint64_t v = 0;
  for (char d : word) {
    if (!isHexDigit(d) || digitValue(d) >= base) throw bad("bad number");
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(digitValue(d));
    if (v > 0xFFFFFFFFu)
      throw AsmError("the number " + std::string(t.text) + " needs more than 32 bits", &t);
  }
  return wrap(static_cast<std::int64_t>(v));
}

Value evaluate(Span tokens, Symbols& symbols) {
  return Parser(tokens, symbols).run();
}

} // namespace tavasm
