// The Z80 instruction set: turns a mnemonic and its operands into machine code, the
// documented instructions and the undocumented ones that sources use (ixh/ixl/iyh/iyl, sll,
// in f,(c), out (c),0).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavasm {

struct Arg {
  std::int32_t value = 0;
  bool known = true; // false in the first pass for a symbol defined further on
};

class Evaluator {
public:
  virtual ~Evaluator() = default;
  virtual Arg evaluate(std::string_view expression) = 0;
};

// The value of `expression`, which must lie in lo..hi once it is known; `what` names the
// kind of value in the message ("a byte").
std::int32_t evaluateInRange(Evaluator& eval, std::string_view expression, std::int32_t lo,
                             std::int32_t hi, const char* what);

// Appends the instruction at address `pc` to `out`. False when `mnemonic` (lower case) is
// no Z80 instruction; throws AsmError when its operands fit none of its forms or a value is
// out of range. Values that are not known yet are not range-checked.
bool encode(std::string_view mnemonic, const std::vector<std::string_view>& operands,
            std::uint16_t pc, Evaluator& eval, std::vector<std::uint8_t>& out);

} // namespace tavasm
