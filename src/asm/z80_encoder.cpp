#include "asm/z80_encoder.h"

#include "asm/asm_error.h"
#include "asm/text_scan.h"

#include <optional>
#include <string>
#include <unordered_map>

namespace tavasm {

namespace {

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
  std::string_view expr; // Imm and Mem: the value; Index: the offset with its sign, or empty
};

struct Keyword {
  K k;
  int code;
  std::uint8_t prefix;
};

// Up to three characters in one number, lower case, for a quick look-up of register names.
constexpr std::uint32_t packed(std::string_view t) {
  std::uint32_t v = 0;
  for (char c : t)
    v = v << 8 | static_cast<unsigned char>(lower(c));
  return v;
}

const std::unordered_map<std::uint32_t, Keyword>& keywords() {
  static const std::unordered_map<std::uint32_t, Keyword> table = [] {
    const std::pair<std::string_view, Keyword> names[] = {
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
    std::unordered_map<std::uint32_t, Keyword> byName;
    for (const auto& [name, keyword] : names)
      byName.emplace(packed(name), keyword);
    return byName;
  }();
  return table;
}

// The index just past the ')' that closes the '(' at s[0], or npos.
size_t closingParen(std::string_view s) {
  int depth = 0;
  for (size_t i = 0; i < s.size();) {
    if (s[i] == '"' || opensCharConstant(s, i)) {
      i = skipQuoted(s, i);
      continue;
    }
    if (s[i] == '(')
      ++depth;
    else if (s[i] == ')' && --depth == 0)
      return i + 1;
    ++i;
  }
  return std::string_view::npos;
}

Op parseOperand(std::string_view text) {
  const std::string_view t = trimmed(text);
  if (t.empty()) throw AsmError("missing operand");
  Op op;
  if (t.size() <= 3) {
    auto it = keywords().find(packed(t));
    if (it != keywords().end()) return {it->second.k, it->second.code, it->second.prefix, {}};
  }
  if (t[0] == '(' && closingParen(t) == t.size()) {
    const std::string_view inner = trimmed(t.substr(1, t.size() - 2));
    const std::string in = lowered(inner.substr(0, 2));
    if (inner.size() == 2 && in == "bc") return {K::MemBC, 0, 0, {}};
    if (inner.size() == 2 && in == "de") return {K::MemDE, 0, 0, {}};
    if (inner.size() == 2 && in == "hl") return {K::MemHL, 6, 0, {}};
    if (inner.size() == 2 && in == "sp") return {K::MemSP, 0, 0, {}};
    if (inner.size() == 1 && lower(inner[0]) == 'c') return {K::MemC, 0, 0, {}};
    if (in == "ix" || in == "iy") {
      const std::string_view rest = trimmed(inner.substr(2));
      if (rest.empty() || rest[0] == '+' || rest[0] == '-')
        return {K::Index, 6, static_cast<std::uint8_t>(in == "ix" ? 0xDD : 0xFD), rest};
    }
    return {K::Mem, 0, 0, inner};
  }
  op.expr = t;
  return op;
}

bool isRegister8(const Op& o) {
  return o.k == K::R8 || o.k == K::IndexHalf || o.k == K::MemHL || o.k == K::Index;
}
bool isPair(const Op& o) {
  return o.k == K::BC || o.k == K::DE || o.k == K::HL || o.k == K::SP;
}
bool isIndexPair(const Op& o) {
  return o.k == K::IX || o.k == K::IY;
}
bool isA(const Op& o) {
  return o.k == K::R8 && o.code == 7;
}

class Encoder {
public:
  Encoder(std::string_view mnemonic, const std::vector<std::string_view>& operands,
          std::uint16_t pc, Evaluator& eval, std::vector<std::uint8_t>& out)
      : mnemonic_(mnemonic), operandText_(operands), pc_(pc), eval_(eval), out_(out) {
    if (operands.size() > kMaxOperands) noForm();
    for (size_t i = 0; i < operands.size(); ++i)
      ops_[i] = parseOperand(operands[i]);
  }

  [[noreturn]] void noForm() const {
    std::string list;
    for (auto t : operandText_)
      list += (list.empty() ? "" : ",") + std::string(trimmed(t));
    throw AsmError("no form of " + std::string(mnemonic_) + " takes the operands \"" + list + "\"");
  }

  size_t count() const { return operandText_.size(); }
  const Op& op(size_t i) const { return ops_[i]; }
  void need(size_t n) const {
    if (count() != n) noForm();
  }

  void emit(std::uint8_t b) { out_.push_back(b); }
  void emit(std::uint8_t a, std::uint8_t b) { emit(a), emit(b); }
  void prefix(std::uint8_t p) {
    if (p) emit(p);
  }

  std::int32_t checked(std::string_view expr, std::int32_t lo, std::int32_t hi, const char* what) {
    return evaluateInRange(eval_, expr, lo, hi, what);
  }
  void byte(std::string_view expr) {
    emit(static_cast<std::uint8_t>(checked(expr, -128, 255, "a byte")));
  }
  void word(std::string_view expr) {
    const std::int32_t v = checked(expr, -32768, 65535, "a word");
    emit(static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8));
  }
  void displacement(const Op& o) {
    if (o.k != K::Index) return;
    emit(o.expr.empty() ? 0
                        : static_cast<std::uint8_t>(checked(o.expr, -128, 127, "an index offset")));
  }
  void relative(std::string_view expr) {
    const Arg a = eval_.evaluate(expr);
    const std::int32_t d = a.known ? a.value - (pc_ + 2) : 0;
    if (d < -128 || d > 127)
      throw AsmError("jump target " + std::string(trimmed(expr)) + " is " + std::to_string(d) +
                     " bytes away; a relative jump reaches -128..127");
    emit(static_cast<std::uint8_t>(d));
  }
  // The value, or nothing while it is not known.
  std::optional<std::int32_t> value(std::string_view expr) {
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
  std::string_view mnemonic_;
  const std::vector<std::string_view>& operandText_;
  static constexpr size_t kMaxOperands = 2; // no Z80 instruction takes more
  Op ops_[kMaxOperands];
  std::uint16_t pc_;
  Evaluator& eval_;
  std::vector<std::uint8_t>& out_;
};

void Encoder::ld() {
  need(2);
  const Op& a = op(0);
  const Op& b = op(1);
  if (isRegister8(a) && isRegister8(b)) {
    checkPair(a, b);
    prefix(a.prefix ? a.prefix : b.prefix);
    emit(static_cast<std::uint8_t>(0x40 | a.code << 3 | b.code));
    displacement(a.k == K::Index ? a : b);
    return;
  }
  if (isRegister8(a) && b.k == K::Imm) {
    onRegister(a, static_cast<std::uint8_t>(0x06 | a.code << 3));
    byte(b.expr);
    return;
  }
  if (isA(a)) {
    if (b.k == K::MemBC) return emit(0x0A);
    if (b.k == K::MemDE) return emit(0x1A);
    if (b.k == K::Mem) return emit(0x3A), word(b.expr);
    if (b.k == K::I) return emit(0xED, 0x57);
    if (b.k == K::R) return emit(0xED, 0x5F);
  }
  if (isA(b)) {
    if (a.k == K::MemBC) return emit(0x02);
    if (a.k == K::MemDE) return emit(0x12);
    if (a.k == K::Mem) return emit(0x32), word(a.expr);
    if (a.k == K::I) return emit(0xED, 0x47);
    if (a.k == K::R) return emit(0xED, 0x4F);
  }
  if (isPair(a) && b.k == K::Imm)
    return emit(static_cast<std::uint8_t>(0x01 | a.code << 4)), word(b.expr);
  if (isIndexPair(a) && b.k == K::Imm) return emit(a.prefix, 0x21), word(b.expr);
  if (a.k == K::HL && b.k == K::Mem) return emit(0x2A), word(b.expr);
  if (isPair(a) && b.k == K::Mem)
    return emit(0xED, static_cast<std::uint8_t>(0x4B | a.code << 4)), word(b.expr);
  if (isIndexPair(a) && b.k == K::Mem) return emit(a.prefix, 0x2A), word(b.expr);
  if (a.k == K::Mem && b.k == K::HL) return emit(0x22), word(a.expr);
  if (a.k == K::Mem && isPair(b))
    return emit(0xED, static_cast<std::uint8_t>(0x43 | b.code << 4)), word(a.expr);
  if (a.k == K::Mem && isIndexPair(b)) return emit(b.prefix, 0x22), word(a.expr);
  if (a.k == K::SP && b.k == K::HL) return emit(0xF9);
  if (a.k == K::SP && isIndexPair(b)) return emit(b.prefix, 0xF9);
  noForm();
}

// add adc sub sbc and xor or cp on the accumulator: index 0..7.
void Encoder::alu(int index) {
  if (count() == 2 && !isA(op(0))) noForm();
  if (count() != 1 && count() != 2) noForm();
  const Op& x = op(count() - 1);
  if (isRegister8(x)) return onRegister(x, static_cast<std::uint8_t>(0x80 | index << 3 | x.code));
  if (x.k == K::Imm) return emit(static_cast<std::uint8_t>(0xC6 | index << 3)), byte(x.expr);
  noForm();
}

// add (index 0), adc (1) and sbc (3): on a when the first operand is a, else on 16 bits.
void Encoder::arithmetic16(int index) {
  if (count() == 2 && (op(0).k == K::HL || isIndexPair(op(0)))) {
    const Op& a = op(0);
    const Op& b = op(1);
    if (index == 0) {
      const bool sameIndex = isIndexPair(a) && b.k == a.k;
      if (!(b.k == K::BC || b.k == K::DE || b.k == K::SP || sameIndex ||
            (a.k == K::HL && b.k == K::HL)))
        noForm();
      prefix(a.prefix);
      return emit(static_cast<std::uint8_t>(0x09 | b.code << 4));
    }
    if (a.k != K::HL || !isPair(b)) noForm();
    return emit(0xED, static_cast<std::uint8_t>((index == 1 ? 0x4A : 0x42) | b.code << 4));
  }
  if (count() != 2) noForm(); // add, adc and sbc name the accumulator
  alu(index);
}

void Encoder::incDec(bool dec) {
  need(1);
  const Op& x = op(0);
  if (isRegister8(x))
    return onRegister(x, static_cast<std::uint8_t>((dec ? 0x05 : 0x04) | x.code << 3));
  if (isPair(x)) return emit(static_cast<std::uint8_t>((dec ? 0x0B : 0x03) | x.code << 4));
  if (isIndexPair(x)) return emit(x.prefix, dec ? 0x2B : 0x23);
  noForm();
}

// rlc rrc rl rr sla sra sll srl: index 0..7.
void Encoder::shift(int index) {
  need(1);
  const Op& x = op(0);
  if (!isRegister8(x) || x.k == K::IndexHalf) noForm();
  if (x.k == K::Index) {
    emit(x.prefix, 0xCB);
    displacement(x);
    return emit(static_cast<std::uint8_t>(index << 3 | 6));
  }
  emit(0xCB, static_cast<std::uint8_t>(index << 3 | x.code));
}

void Encoder::bitOp(std::uint8_t base) {
  need(2);
  const Op& n = op(0);
  const Op& x = op(1);
  if (n.k != K::Imm || !isRegister8(x) || x.k == K::IndexHalf) noForm();
  const int bit = checked(n.expr, 0, 7, "a bit number");
  const auto opcode = static_cast<std::uint8_t>(base | (bit & 7) << 3 | x.code);
  if (x.k == K::Index) {
    emit(x.prefix, 0xCB);
    displacement(x);
    return emit(opcode);
  }
  emit(0xCB, opcode);
}

void Encoder::jp() {
  if (count() == 1) {
    const Op& x = op(0);
    if (x.k == K::MemHL || x.k == K::HL) return emit(0xE9);
    if ((x.k == K::Index && x.expr.empty()) || isIndexPair(x)) return emit(x.prefix, 0xE9);
    if (x.k == K::Imm) return emit(0xC3), word(x.expr);
    noForm();
  }
  need(2);
  if (op(1).k != K::Imm) noForm();
  emit(static_cast<std::uint8_t>(0xC2 | condition(op(0), false) << 3));
  word(op(1).expr);
}

void Encoder::jr() {
  if (count() == 1 && op(0).k == K::Imm) return emit(0x18), relative(op(0).expr);
  need(2);
  if (op(1).k != K::Imm) noForm();
  emit(static_cast<std::uint8_t>(0x20 | condition(op(0), true) << 3));
  relative(op(1).expr);
}

void Encoder::call() {
  if (count() == 1 && op(0).k == K::Imm) return emit(0xCD), word(op(0).expr);
  need(2);
  if (op(1).k != K::Imm) noForm();
  emit(static_cast<std::uint8_t>(0xC4 | condition(op(0), false) << 3));
  word(op(1).expr);
}

void Encoder::ret() {
  if (count() == 0) return emit(0xC9);
  need(1);
  emit(static_cast<std::uint8_t>(0xC0 | condition(op(0), false) << 3));
}

void Encoder::rst() {
  need(1);
  if (op(0).k != K::Imm) noForm();
  const auto v = value(op(0).expr);
  if (v && (*v < 0 || *v > 0x38 || *v % 8 != 0))
    throw AsmError("rst takes 0, 8h, 10h, 18h, 20h, 28h, 30h or 38h, not " + std::to_string(*v));
  emit(static_cast<std::uint8_t>(0xC7 | v.value_or(0)));
}

void Encoder::pushPop(std::uint8_t base) {
  need(1);
  const Op& x = op(0);
  if (x.k == K::BC || x.k == K::DE || x.k == K::HL || x.k == K::AF)
    return emit(static_cast<std::uint8_t>(base | x.code << 4));
  if (isIndexPair(x)) return emit(x.prefix, static_cast<std::uint8_t>(base | 0x20));
  noForm();
}

void Encoder::ex() {
  need(2);
  const Op& a = op(0);
  const Op& b = op(1);
  if (a.k == K::AF && (b.k == K::AFx || b.k == K::AF)) return emit(0x08);
  if ((a.k == K::DE && b.k == K::HL) || (a.k == K::HL && b.k == K::DE)) return emit(0xEB);
  if (a.k == K::MemSP && b.k == K::HL) return emit(0xE3);
  if (a.k == K::MemSP && isIndexPair(b)) return emit(b.prefix, 0xE3);
  noForm();
}

void Encoder::in() {
  if (count() == 1 && op(0).k == K::MemC) return emit(0xED, 0x70);
  need(2);
  const Op& a = op(0);
  const Op& b = op(1);
  if (isA(a) && b.k == K::Mem) return emit(0xDB), byte(b.expr);
  if ((a.k == K::R8 || a.k == K::F) && b.k == K::MemC)
    return emit(0xED, static_cast<std::uint8_t>(0x40 | a.code << 3));
  noForm();
}

void Encoder::out() {
  need(2);
  const Op& a = op(0);
  const Op& b = op(1);
  if (a.k == K::Mem && isA(b)) return emit(0xD3), byte(a.expr);
  if (a.k == K::MemC && b.k == K::R8)
    return emit(0xED, static_cast<std::uint8_t>(0x41 | b.code << 3));
  if (a.k == K::MemC && b.k == K::Imm) {
    const auto v = value(b.expr);
    if (v && *v != 0) throw AsmError("out (c) writes a register or 0, not " + std::to_string(*v));
    return emit(0xED, 0x71);
  }
  noForm();
}

void Encoder::im() {
  need(1);
  if (op(0).k != K::Imm) noForm();
  static constexpr std::uint8_t kModes[] = {0x46, 0x56, 0x5E};
  // Not checked while it is unknown in the first pass, so still kept to the table here.
  const int mode = checked(op(0).expr, 0, 2, "an interrupt mode");
  emit(0xED, kModes[mode >= 0 && mode <= 2 ? mode : 0]);
}

// Instructions without operands: their one or two bytes.
const std::unordered_map<std::string_view, std::uint16_t>& plainInstructions() {
  static const std::unordered_map<std::string_view, std::uint16_t> table = {
      {"nop", 0x00},    {"rlca", 0x07},   {"rrca", 0x0F},   {"rla", 0x17},    {"rra", 0x1F},
      {"daa", 0x27},    {"cpl", 0x2F},    {"scf", 0x37},    {"ccf", 0x3F},    {"halt", 0x76},
      {"exx", 0xD9},    {"di", 0xF3},     {"ei", 0xFB},     {"neg", 0xED44},  {"retn", 0xED45},
      {"reti", 0xED4D}, {"rrd", 0xED67},  {"rld", 0xED6F},  {"ldi", 0xEDA0},  {"cpi", 0xEDA1},
      {"ini", 0xEDA2},  {"outi", 0xEDA3}, {"ldd", 0xEDA8},  {"cpd", 0xEDA9},  {"ind", 0xEDAA},
      {"outd", 0xEDAB}, {"ldir", 0xEDB0}, {"cpir", 0xEDB1}, {"inir", 0xEDB2}, {"otir", 0xEDB3},
      {"lddr", 0xEDB8}, {"cpdr", 0xEDB9}, {"indr", 0xEDBA}, {"otdr", 0xEDBB},
  };
  return table;
}

enum class M {
  Plain,
  Ld,
  Add,
  Adc,
  Sbc,
  Alu,
  IncDec,
  Shift,
  Bit,
  Jp,
  Jr,
  Djnz,
  Call,
  Ret,
  Rst,
  Push,
  Pop,
  Ex,
  In,
  Out,
  Im
};

struct Mnemonic {
  M kind;
  int index;
};

const std::unordered_map<std::string_view, Mnemonic>& mnemonics() {
  static const std::unordered_map<std::string_view, Mnemonic> table = [] {
    std::unordered_map<std::string_view, Mnemonic> byName = {
        {"ld", {M::Ld, 0}},      {"add", {M::Add, 0}},    {"adc", {M::Adc, 1}},
        {"sub", {M::Alu, 2}},    {"sbc", {M::Sbc, 3}},    {"and", {M::Alu, 4}},
        {"xor", {M::Alu, 5}},    {"or", {M::Alu, 6}},     {"cp", {M::Alu, 7}},
        {"inc", {M::IncDec, 0}}, {"dec", {M::IncDec, 1}}, {"rlc", {M::Shift, 0}},
        {"rrc", {M::Shift, 1}},  {"rl", {M::Shift, 2}},   {"rr", {M::Shift, 3}},
        {"sla", {M::Shift, 4}},  {"sra", {M::Shift, 5}},  {"sll", {M::Shift, 6}},
        {"srl", {M::Shift, 7}},  {"bit", {M::Bit, 0x40}}, {"res", {M::Bit, 0x80}},
        {"set", {M::Bit, 0xC0}}, {"jp", {M::Jp, 0}},      {"jr", {M::Jr, 0}},
        {"djnz", {M::Djnz, 0}},  {"call", {M::Call, 0}},  {"ret", {M::Ret, 0}},
        {"rst", {M::Rst, 0}},    {"push", {M::Push, 0}},  {"pop", {M::Pop, 0}},
        {"ex", {M::Ex, 0}},      {"in", {M::In, 0}},      {"out", {M::Out, 0}},
        {"im", {M::Im, 0}},
    };
    for (const auto& [name, opcode] : plainInstructions())
      byName.emplace(name, Mnemonic{M::Plain, opcode});
    return byName;
  }();
  return table;
}

} // namespace

std::int32_t evaluateInRange(Evaluator& eval, std::string_view expression, std::int32_t lo,
                             std::int32_t hi, const char* what) {
  const Arg a = eval.evaluate(expression);
  if (a.known && (a.value < lo || a.value > hi))
    throw AsmError("value " + std::to_string(a.value) + " is out of range for " + what + " (" +
                   std::to_string(lo) + ".." + std::to_string(hi) +
                   "): " + std::string(trimmed(expression)));
  return a.value;
}

bool encode(std::string_view mnemonic, const std::vector<std::string_view>& operands,
            std::uint16_t pc, Evaluator& eval, std::vector<std::uint8_t>& out) {
  auto it = mnemonics().find(mnemonic);
  if (it == mnemonics().end()) return false;
  if (it->second.kind == M::Plain) {
    if (!operands.empty()) throw AsmError(std::string(mnemonic) + " takes no operands");
    if (it->second.index > 0xFF) out.push_back(static_cast<std::uint8_t>(it->second.index >> 8));
    out.push_back(static_cast<std::uint8_t>(it->second.index));
    return true;
  }
  const size_t start = out.size();
  try {
    Encoder e(mnemonic, operands, pc, eval, out);
    switch (it->second.kind) {
    case M::Plain:
      break;
    case M::Ld:
      e.ld();
      break;
    case M::Add:
    case M::Adc:
    case M::Sbc:
      e.arithmetic16(it->second.index);
      break;
    case M::Alu:
      e.alu(it->second.index);
      break;
    case M::IncDec:
      e.incDec(it->second.index == 1);
      break;
    case M::Shift:
      e.shift(it->second.index);
      break;
    case M::Bit:
      e.bitOp(static_cast<std::uint8_t>(it->second.index));
      break;
    case M::Jp:
      e.jp();
      break;
    case M::Jr:
      e.jr();
      break;
    case M::Djnz:
      e.need(1);
      if (e.op(0).k != K::Imm) e.noForm();
      e.emit(0x10);
      e.relative(e.op(0).expr);
      break;
    case M::Call:
      e.call();
      break;
    case M::Ret:
      e.ret();
      break;
    case M::Rst:
      e.rst();
      break;
    case M::Push:
      e.pushPop(0xC5);
      break;
    case M::Pop:
      e.pushPop(0xC1);
      break;
    case M::Ex:
      e.ex();
      break;
    case M::In:
      e.in();
      break;
    case M::Out:
      e.out();
      break;
    case M::Im:
      e.im();
      break;
    }
  } catch (...) {
    out.resize(start);
    throw;
  }
  return true;
}

} // namespace tavasm
