#include "asm/z80_encoder.h"

#include "asm/z80_forms.h"

#include <unordered_map>

namespace tavasm {

namespace {

using z80::Encoder;

// Instructions without operands: their one or two bytes.
const std::unordered_map<std::string_view, std::uint16_t, NoCaseHash, NoCaseEqual>&
plainInstructions() {
  static const std::unordered_map<std::string_view, std::uint16_t, NoCaseHash, NoCaseEqual> table =
      {
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

using MnemonicTable = std::unordered_map<std::string_view, Mnemonic, NoCaseHash, NoCaseEqual>;

const MnemonicTable& mnemonics() {
  static const MnemonicTable table = [] {
    MnemonicTable byName = {
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

bool isMnemonic(std::string_view name) {
  return mnemonics().count(name) > 0;
}

bool encode(const Token& mnemonic, const std::vector<Span>& operands, std::uint16_t pc,
            Evaluator& eval, std::vector<std::uint8_t>& out) {
  auto it = mnemonics().find(mnemonic.text);
  if (it == mnemonics().end()) return false;
  if (it->second.kind == M::Plain) {
    if (!operands.empty())
      throw AsmError(std::string(mnemonic.text) + " takes no operands", operands[0]);
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
      if (!e.immediate(e.op(0))) e.noForm();
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
