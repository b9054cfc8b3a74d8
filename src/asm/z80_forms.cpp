#include "asm/z80_forms.h"

namespace tavasm::z80 {

const std::unordered_map<std::string, const char*> Encoder::kNeeds = {
    {"ld", "a destination and a source, as in ld a,5"},
    {"push", "a register pair: bc, de, hl, af, ix or iy"},
    {"pop", "a register pair: bc, de, hl, af, ix or iy"},
    {"inc", "a register or register pair, as in inc a or inc hl"},
    {"dec", "a register or register pair, as in dec a or dec hl"},
    {"add", "two operands, as in add a,5 or add hl,de"},
    {"adc", "two operands, as in adc a,5 or adc hl,de"},
    {"sbc", "two operands, as in sbc a,5 or sbc hl,de"},
    {"sub", "a register or a value, as in sub b or sub 5"},
    {"and", "a register or a value, as in and b or and 0Fh"},
    {"xor", "a register or a value, as in xor a"},
    {"or", "a register or a value, as in or b"},
    {"cp", "a register or a value, as in cp b or cp 5"},
    {"jp", "an address, as in jp label"},
    {"call", "an address, as in call label"},
    {"jr", "a label within 128 bytes, as in jr label"},
    {"djnz", "a label within 128 bytes, as in djnz loop"},
    {"rst", "an address: 0, 8h, 10h, 18h, 20h, 28h, 30h or 38h"},
    {"im", "an interrupt mode: 0, 1 or 2"},
    {"bit", "a bit number and a register, as in bit 0,a"},
    {"set", "a bit number and a register, as in set 0,a"},
    {"res", "a bit number and a register, as in res 0,a"},
    {"ex", "two registers, as in ex de,hl"},
    {"in", "a register and a port, as in in a,(1)"},
    {"out", "a port and a register, as in out (1),a"},
    {"rl", "a register, as in rl a"},
    {"rr", "a register, as in rr a"},
    {"rlc", "a register, as in rlc a"},
    {"rrc", "a register, as in rrc a"},
    {"sla", "a register, as in sla a"},
    {"sra", "a register, as in sra a"},
    {"sll", "a register, as in sll a"},
    {"srl", "a register, as in srl a"},
};

void Encoder::ld() {
  need(2);
  Op& a = op(0);
  Op& b = op(1);
  if (isRegister8(a) && isRegister8(b)) {
    checkPair(a, b);
    prefix(a.prefix ? a.prefix : b.prefix);
    emit(static_cast<std::uint8_t>(0x40 | a.code << 3 | b.code));
    displacement(a.k == K::Index ? a : b);
    return;
  }
  if (isRegister8(a) && (b.k == K::Imm || (b.k == K::Mem && !isA(a) && immediate(b)))) {
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
  Op& x = op(count() - 1);
  if (isRegister8(x)) return onRegister(x, static_cast<std::uint8_t>(0x80 | index << 3 | x.code));
  if (immediate(x)) return emit(static_cast<std::uint8_t>(0xC6 | index << 3)), byte(x.expr);
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
  Op& x = op(0);
  if (isRegister8(x))
    return onRegister(x, static_cast<std::uint8_t>((dec ? 0x05 : 0x04) | x.code << 3));
  if (isPair(x)) return emit(static_cast<std::uint8_t>((dec ? 0x0B : 0x03) | x.code << 4));
  if (isIndexPair(x)) return emit(x.prefix, dec ? 0x2B : 0x23);
  noForm();
}

// rlc rrc rl rr sla sra sll srl: index 0..7.
void Encoder::shift(int index) {
  need(1);
  Op& x = op(0);
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
  Op& n = op(0);
  Op& x = op(1);
  if (!immediate(n) || !isRegister8(x) || x.k == K::IndexHalf) noForm();
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
    Op& x = op(0);
    if (x.k == K::MemHL || x.k == K::HL) return emit(0xE9);
    if ((x.k == K::Index && x.expr.empty()) || isIndexPair(x)) return emit(x.prefix, 0xE9);
    if (immediate(x)) return emit(0xC3), word(x.expr);
    noForm();
  }
  need(2);
  if (!immediate(op(1))) noForm();
  emit(static_cast<std::uint8_t>(0xC2 | condition(op(0), false) << 3));
  word(op(1).expr);
}

void Encoder::jr() {
  if (count() == 1 && immediate(op(0))) return emit(0x18), relative(op(0).expr);
  need(2);
  if (!immediate(op(1))) noForm();
  emit(static_cast<std::uint8_t>(0x20 | condition(op(0), true) << 3));
  relative(op(1).expr);
}

void Encoder::call() {
  if (count() == 1 && immediate(op(0))) return emit(0xCD), word(op(0).expr);
  need(2);
  if (!immediate(op(1))) noForm();
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
  if (!immediate(op(0))) noForm();
  const auto v = value(op(0).expr);
  if (v && (*v < 0 || *v > 0x38 || *v % 8 != 0))
    throw AsmError("rst takes 0, 8h, 10h, 18h, 20h, 28h, 30h or 38h, not " + std::to_string(*v),
                   op(0).expr);
  emit(static_cast<std::uint8_t>(0xC7 | v.value_or(0)));
}

void Encoder::pushPop(std::uint8_t base) {
  need(1);
  Op& x = op(0);
  if (x.k == K::BC || x.k == K::DE || x.k == K::HL || x.k == K::AF)
    return emit(static_cast<std::uint8_t>(base | x.code << 4));
  if (isIndexPair(x)) return emit(x.prefix, static_cast<std::uint8_t>(base | 0x20));
  noForm();
}

void Encoder::ex() {
  need(2);
  Op& a = op(0);
  Op& b = op(1);
  if (a.k == K::AF && (b.k == K::AFx || b.k == K::AF)) return emit(0x08);
  if ((a.k == K::DE && b.k == K::HL) || (a.k == K::HL && b.k == K::DE)) return emit(0xEB);
  if (a.k == K::MemSP && b.k == K::HL) return emit(0xE3);
  if (a.k == K::MemSP && isIndexPair(b)) return emit(b.prefix, 0xE3);
  noForm();
}

void Encoder::in() {
  if (count() == 1 && op(0).k == K::MemC) return emit(0xED, 0x70);
  need(2);
  Op& a = op(0);
  Op& b = op(1);
  if (isA(a) && b.k == K::Mem) return emit(0xDB), byte(b.expr);
  if ((a.k == K::R8 || a.k == K::F) && b.k == K::MemC)
    return emit(0xED, static_cast<std::uint8_t>(0x40 | a.code << 3));
  noForm();
}

void Encoder::out() {
  need(2);
  Op& a = op(0);
  Op& b = op(1);
  if (a.k == K::Mem && isA(b)) return emit(0xD3), byte(a.expr);
  if (a.k == K::MemC && b.k == K::R8)
    return emit(0xED, static_cast<std::uint8_t>(0x41 | b.code << 3));
  if (a.k == K::MemC && b.k == K::Imm) {
    const auto v = value(b.expr);
    if (v && *v != 0)
      throw AsmError("out (c) writes a register or 0, not " + std::to_string(*v), b.expr);
    return emit(0xED, 0x71);
  }
  noForm();
}

void Encoder::im() {
  need(1);
  if (!immediate(op(0))) noForm();
  static constexpr std::uint8_t kModes[] = {0x46, 0x56, 0x5E};
  // Not checked while it is unknown in the first pass, so still kept to the table here.
  const int mode = checked(op(0).expr, 0, 2, "an interrupt mode");
  emit(0xED, kModes[mode >= 0 && mode <= 2 ? mode : 0]);
}

} // namespace tavasm::z80
