// The directives: data, the location counter, reserved space, .echo, .end and .addinstr.
#include "asm/asm_error.h"
#include "asm/assembly.h"

#include <set>

namespace tavasm {
namespace {

constexpr std::int32_t kMemorySize = 0x10000;

// The fields of .addinstr's table line, which blanks separate.
std::vector<Span> fields(Span t) {
  std::vector<Span> out;
  size_t start = 0;
  for (size_t i = 1; i <= t.size(); ++i)
    if (i == t.size() || t[i].spaceBefore) {
      out.push_back(t.sub(start, i));
      start = i;
    }
  return out;
}

} // namespace

void Assembly::directive(const Token& name, Span operands) {
  const std::string d = lowered(name.text);
  if (d == ".db" || d == ".byte" || d == ".text") return data(operands, 1);
  if (d == ".dw" || d == ".word") return data(operands, 2);
  if (d == ".org") {
    if (operands.empty()) throw AsmError(".org needs an address", &name);
    const std::int32_t v = known(operands, ".org");
    if (v < 0 || v >= kMemorySize)
      throw AsmError(".org " + std::to_string(v) + " is outside the memory (0..FFFFh)", operands);
    pc_ = static_cast<std::uint32_t>(v);
    return;
  }
  if (d == ".end") {
    // In an included file .end ends that file; in the main file, the source.
    if (pass_ == 1) {
      ended_ = true;
      pre_->endFile();
    }
    return;
  }
  if (d == ".block" || d == ".fill") return reserve(name, operands);
  if (d == ".echo") return echo(operands);
  if (d == ".addinstr") return addInstruction(operands);
  static const std::set<std::string> kIgnored = {".list",  ".nolist", ".module", ".title",
                                                 ".eject", ".page",   ".codes",  ".nocodes"};
  if (kIgnored.count(d)) return;
  throw AsmError("unknown directive " + std::string(name.text), &name);
}

void Assembly::data(Span operands, int width) {
  if (operands.empty()) throw AsmError("missing values");
  splitOperands(operands, operands_);
  const std::vector<Span> items = operands_;
  buffer_.clear();
  for (size_t i = 0; i < items.size(); ++i) {
    const Span item = items[i];
    if (item.empty())
      throw AsmError("missing value between commas", i > 0 ? items[i - 1].last : operands.first);
    if (item.size() == 1 && item[0].kind == T::Bad)
      throw AsmError(item[0].text[0] == '"' ? "unclosed string" : "unclosed character constant",
                     item);
    if (item.size() == 1 && item[0].kind == T::String) {
      for (char c : unquoted(item[0].text)) {
        buffer_.push_back(static_cast<std::uint8_t>(c));
        if (width == 2) buffer_.push_back(0);
      }
      continue;
    }
    const std::int32_t v = width == 1 ? evaluateInRange(*this, item, -128, 255, "a byte")
                                      : evaluateInRange(*this, item, -32768, 65535, "a word");
    buffer_.push_back(static_cast<std::uint8_t>(v));
    if (width == 2) buffer_.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  emit(buffer_.data(), buffer_.size());
}

// .block N writes N zero bytes, .fill N[,V] N bytes of V.
void Assembly::reserve(const Token& name, Span operands) {
  const bool fill = equalsNoCase(name.text, ".fill");
  splitOperands(operands, operands_);
  const std::vector<Span> parts = operands_;
  if (parts.empty() || parts.size() > (fill ? 2u : 1u) || parts[0].empty())
    throw AsmError(
        std::string(name.text) + (fill ? " takes a count and a value" : " takes a count"), &name);
  const std::int32_t n = known(parts[0], fill ? ".fill" : ".block");
  if (n < 0 || n > kMemorySize)
    throw AsmError(std::string(name.text) + " of " + std::to_string(n) +
                       " bytes: the count must lie in 0..65536, the size of the memory",
                   parts[0]);
  std::int32_t value = 0;
  if (parts.size() == 2) value = evaluateInRange(*this, parts[1], -128, 255, "a byte");
  buffer_.assign(static_cast<size_t>(n), static_cast<std::uint8_t>(value));
  emit(buffer_.data(), buffer_.size());
}

void Assembly::echo(Span operands) {
  unsure_ = true; // it prints in the second pass
  if (pass_ != 2) return;
  splitOperands(operands, operands_);
  const std::vector<Span> items = operands_;
  std::string out;
  for (const Span item : items) {
    if (item.size() == 1 && item[0].kind == T::String)
      out += unquoted(item[0].text);
    else if (!item.empty())
      out += std::to_string(evaluate(item).value);
  }
  echoes_.push_back(out);
}

// .addinstr NAME OPERANDS OPCODE SIZE RULE [CLASS]: the table line of another assembler,
// of which the NOP rule (the opcode, then the value) is what sources use.
void Assembly::addInstruction(Span operands) {
  const std::vector<Span> f = fields(operands);
  if (f.size() < 5 || f[0].size() != 1 || f[0][0].kind != T::Name)
    throw AsmError(".addinstr takes a name, operands, opcode, size and rule", operands);
  if (f[4].size() != 1 || !equalsNoCase(f[4][0].text, "nop"))
    throw AsmError(".addinstr: only the NOP rule is supported, not " + spelling(f[4]), f[4]);
  Added added;
  if (!(f[1].size() == 1 && f[1][0].text == "\"\"")) added.pattern.assign(f[1].begin(), f[1].end());
  std::string hex = spelling(f[2]);
  if (hex.size() % 2) hex = "0" + hex;
  for (size_t i = 0; i < hex.size(); i += 2) {
    const std::string pair = hex.substr(i, 2);
    if (pair.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      throw AsmError(".addinstr: bad opcode " + spelling(f[2]), f[2]);
    added.opcode.push_back(static_cast<std::uint8_t>(std::stoi(pair, nullptr, 16)));
  }
  const std::string size = spelling(f[3]);
  if (size.empty() || size.size() > 1 || !isDigit(size[0]))
    throw AsmError(".addinstr: bad size " + size, f[3]);
  added.size = static_cast<size_t>(size[0] - '0');
  if (added.size < added.opcode.size())
    throw AsmError(".addinstr: size " + size + " does not fit the opcode", f[3]);
  if (pass_ != 1) return;
  added_.emplace(lowered(f[0][0].text), std::move(added));
}

// An instruction that .addinstr added: its pattern's tokens match the operands', each '*'
// standing for a value up to the pattern's next token.
bool Assembly::addedInstruction(const Token& name, Span operands) {
  if (added_.empty()) return false;
  auto range = added_.equal_range(lowered(name.text));
  for (auto it = range.first; it != range.second; ++it) {
    const Added& a = it->second;
    std::vector<Span> values;
    size_t t = 0;
    bool match = true;
    for (size_t p = 0; p < a.pattern.size() && match; ++p) {
      if (!a.pattern[p].isOp("*")) {
        match = t < operands.size() && equalsNoCase(operands[t].text, a.pattern[p].text);
        ++t;
        continue;
      }
      size_t end = operands.size();
      if (p + 1 < a.pattern.size()) {
        while (end > t && !equalsNoCase(operands[end - 1].text, a.pattern[p + 1].text))
          --end;
        if (end > t) --end;
      }
      match = end > t;
      values.push_back(operands.sub(t, end));
      t = end;
    }
    if (!match || t != operands.size()) continue;
    buffer_ = a.opcode;
    const size_t rest = a.size - buffer_.size();
    for (const Span v : values) {
      const std::int32_t value = evaluate(v).value;
      for (size_t k = 0; k < rest / values.size(); ++k)
        buffer_.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
    }
    buffer_.resize(a.size, 0);
    emit(buffer_.data(), buffer_.size());
    return true;
  }
  return false;
}

} // namespace tavasm
