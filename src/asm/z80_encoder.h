// The Z80 instruction set: turns a mnemonic and its operands into machine code, the
// documented instructions and the undocumented ones that sources use (ixh/ixl/iyh/iyl, sll,
// in f,(c), out (c),0).
#pragma once

#include "asm/z80_operands.h"

#include <cstdint>
#include <vector>

namespace tavasm {

// Appends the instruction at address `pc` to `out`. False when `mnemonic` is no Z80
// instruction; throws AsmError when its operands fit none of its forms or a value is out of
// range. Values that are not known yet are not range-checked.
bool encode(const Token& mnemonic, const std::vector<Span>& operands, std::uint16_t pc,
            Evaluator& eval, std::vector<std::uint8_t>& out);

// An instruction's name, which in the first column is a label all the same.
bool isMnemonic(std::string_view name);

} // namespace tavasm
