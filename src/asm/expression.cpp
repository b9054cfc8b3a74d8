#include "asm/expression.h"

#include "asm/asm_error.h"
#include "asm/text_scan.h"

#include <cstdint>

namespace tavasm {

namespace {

bool isHexDigit(char c) {
  return isDigit(c) || (lower(c) >= 'a' && lower(c) <= 'f');
}

int digitValue(char c) {
  return isDigit(c) ? c - '0' : lower(c) - 'a' + 10;
}

// Arithmetic in 32 bits that wraps the way the calculator's registers do, without
// signed overflow.
std::int32_t wrap(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

class Parser {
public:
  Parser(std::string_view text, Symbols& symbols) : s_(text), symbols_(symbols) {}

  Value run() {
    skipSpace();
    if (at_ == s_.size()) throw AsmError("missing value");
    const std::int32_t v = expression(0);
    skipSpace();
    if (at_ != s_.size())
      throw AsmError("unexpected '" + std::string(s_.substr(at_)) + "' in expression");
    Value out;
    out.value = v;
    out.known = undefined_.empty() && !anonymousMissing_;
    out.undefined = anonymousMissing_ && undefined_.empty() ? "_" : undefined_;
    return out;
  }

private:
  static constexpr int kMaxNesting = 200;

  void skipSpace() {
    while (at_ < s_.size() && isSpace(s_[at_]))
      ++at_;
  }

  bool take(std::string_view op) {
    if (s_.substr(at_, op.size()) != op) return false;
    at_ += op.size();
    return true;
  }

  // A binary operator at the cursor, longest first; none when the text has no more.
  std::string_view binaryOperator() {
    static constexpr std::string_view kOps[] = {"<<", ">>", "==", "!=", "<=", ">=", "+", "-",
                                                "*",  "/",  "%",  "&",  "|",  "^",  "<", ">"};
    for (std::string_view op : kOps)
      if (take(op)) return op;
    return {};
  }

  std::int32_t expression(int depth) {
    if (depth > kMaxNesting) throw AsmError("expression nested too deeply");
    std::int32_t v = term(depth);
    for (;;) {
      skipSpace();
      if (at_ == s_.size() || s_[at_] == ')') return v;
      const std::string_view op = binaryOperator();
      if (op.empty())
        throw AsmError("unexpected '" + std::string(s_.substr(at_)) + "' in expression");
      v = apply(op, v, term(depth));
    }
  }

  std::int32_t apply(std::string_view op, std::int64_t a, std::int64_t b) {
    if (op == "+") return wrap(a + b);
    if (op == "-") return wrap(a - b);
    if (op == "*") return wrap(a * b);
    if (op == "/" || op == "%") {
      if (b == 0) {
        if (!undefined_.empty() || anonymousMissing_) return 0; // not known yet: no verdict
        throw AsmError("division by zero");
      }
      return wrap(op == "/" ? a / b : a % b);
    }
    if (op == "&") return wrap(a & b);
    if (op == "|") return wrap(a | b);
    if (op == "^") return wrap(a ^ b);
    const std::uint32_t bits = static_cast<std::uint32_t>(a);
    if (op == "<<") return (b < 0 || b > 31) ? 0 : wrap(std::int64_t{bits} << b);
    if (op == ">>") return (b < 0 || b > 31) ? 0 : wrap(bits >> b);
    if (op == "==") return a == b;
    if (op == "!=") return a != b;
    if (op == "<") return a < b;
    if (op == ">") return a > b;
    if (op == "<=") return a <= b;
    return a >= b; // ">="
  }

  std::int32_t term(int depth) {
    skipSpace();
    if (at_ == s_.size()) throw AsmError("missing value after an operator");
    const char c = s_[at_];
    if (c == '(') {
      ++at_;
      const std::int32_t v = expression(depth + 1);
      skipSpace();
      if (!take(")")) throw AsmError("missing ')'");
      return v;
    }
    if (c == '-' || c == '+') {
      if (auto anon = anonymousLabel()) return *anon;
      ++at_;
      const std::int32_t v = term(depth + 1);
      return c == '-' ? wrap(-std::int64_t{v}) : v;
    }
    if (c == '~') {
      ++at_;
      return ~term(depth + 1);
    }
    if (c == '\'') return character();
    if (c == '$') {
      ++at_;
      if (at_ < s_.size() && isHexDigit(s_[at_])) return digits(16, "$");
      return symbols_.here();
    }
    if (c == '%' && at_ + 1 < s_.size() && (s_[at_ + 1] == '0' || s_[at_ + 1] == '1')) {
      ++at_;
      return digits(2, "%");
    }
    if (c == '@' && at_ + 1 < s_.size() && isDigit(s_[at_ + 1])) {
      ++at_;
      return digits(8, "@");
    }
    if (isDigit(c)) return number();
    if (isWordChar(c)) return name();
    throw AsmError("unexpected '" + std::string(s_.substr(at_)) + "' in expression");
  }

  // "_" (the next anonymous label), "+_", "++_", "-_", "--_" standing alone as a value.
  std::optional<std::int32_t> anonymousLabel() {
    size_t i = at_;
    const char sign = s_[i];
    int count = 0;
    while (i < s_.size() && s_[i] == sign)
      ++i, ++count;
    if (i >= s_.size() || s_[i] != '_' || (i + 1 < s_.size() && isWordChar(s_[i + 1])))
      return std::nullopt;
    at_ = i + 1;
    return anonymous(sign == '-' ? -count : count);
  }

  std::int32_t anonymous(int offset) {
    if (auto v = symbols_.anonymous(offset)) return *v;
    anonymousMissing_ = true;
    return symbols_.here();
  }

  std::int32_t digits(int base, std::string_view prefix) {
    const size_t start = at_;
    std::int64_t v = 0;
    while (at_ < s_.size() && isWordChar(s_[at_])) {
      const char d = s_[at_];
      if (!isHexDigit(d) || digitValue(d) >= base)
        throw AsmError("bad number '" + std::string(prefix) +
                       std::string(s_.substr(start, wordEnd() - start)) + "'");
      v = (v * base + digitValue(d)) & 0xFFFFFFFF;
      ++at_;
    }
    return wrap(v);
  }

  size_t wordEnd() const {
    size_t e = at_;
    while (e < s_.size() && isWordChar(s_[e]))
      ++e;
    return e;
  }

  // 1234, 1234d, 9327h, 0FFh, 0101b, 17o, 17q, 0x1F.
  std::int32_t number() {
    const size_t start = at_;
    const size_t end = wordEnd();
    std::string_view word = s_.substr(start, end - start);
    at_ = end;
    int base = 10;
    std::string_view body = word;
    const char last = lower(word.back());
    if (word.size() > 2 && word[0] == '0' && lower(word[1]) == 'x') {
      base = 16;
      body = word.substr(2);
    } else if (last == 'h') {
      base = 16;
      body = word.substr(0, word.size() - 1);
    } else if (last == 'b' && word.size() > 1 && word.find_first_not_of("01") == word.size() - 1) {
      base = 2;
      body = word.substr(0, word.size() - 1);
    } else if (last == 'o' || last == 'q') {
      base = 8;
      body = word.substr(0, word.size() - 1);
    } else if (last == 'd' && word.size() > 1) {
      body = word.substr(0, word.size() - 1);
    }
    std::int64_t v = 0;
    for (char d : body) {
      if (!isHexDigit(d) || digitValue(d) >= base)
        throw AsmError("bad number '" + std::string(word) + "'");
      v = (v * base + digitValue(d)) & 0xFFFFFFFF;
    }
    if (body.empty()) throw AsmError("bad number '" + std::string(word) + "'");
    return wrap(v);
  }

  std::int32_t character() {
    const size_t end = skipQuoted(s_, at_);
    if (end > s_.size() || s_[end - 1] != '\'' || end - at_ < 3)
      throw AsmError("unclosed character constant");
    std::string_view inner = s_.substr(at_ + 1, end - at_ - 2);
    at_ = end;
    if (inner.size() == 1) return static_cast<unsigned char>(inner[0]);
    if (inner.size() == 2 && inner[0] == '\\')
      return static_cast<unsigned char>(unescape(inner[1]));
    throw AsmError("a character constant holds one character: '" + std::string(inner) + "'");
  }

  std::int32_t name() {
    const size_t end = wordEnd();
    std::string_view word = s_.substr(at_, end - at_);
    at_ = end;
    if (word == "_") return anonymous(1);
    if (auto v = symbols_.symbol(word)) return *v;
    if (undefined_.empty()) undefined_ = std::string(word);
    return 0;
  }

  std::string_view s_;
  Symbols& symbols_;
  size_t at_ = 0;
  std::string undefined_;
  bool anonymousMissing_ = false;
};

} // namespace

Value evaluate(std::string_view text, Symbols& symbols) {
  return Parser(text, symbols).run();
}

char unescape(char c) {
  switch (c) {
  case 'n':
    return '\n';
  case 'r':
    return '\r';
  case 't':
    return '\t';
  case '0':
    return '\0';
  default:
    return c; // \\ \" \' and any other character stand for themselves
  }
}

} // namespace tavasm
