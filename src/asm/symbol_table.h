// The names a source defines: labels, .equ values (worked out when first needed, so one may
// use another defined further on) and anonymous labels.
#pragma once

#include "asm/token.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavasm {

struct Symbol {
  enum class State { Known, Pending, Failed };
  State state = State::Known;
  std::int32_t value = 0;
  bool label = false;
  size_t statement = 0; // the statement that defines it
  bool working = false; // its value is being worked out: a use now is a circle
  std::string failure;  // Failed: why it has no value
};

class SymbolTable {
public:
  Symbol* find(std::string_view name);
  // The symbol of that name, made when there is none; `fresh` tells which.
  Symbol& insert(std::string_view name, bool& fresh);

  // Anonymous labels ("_"), in the order of their statements.
  void anonymous(size_t statement, std::int32_t address);
  std::optional<std::int32_t> anonymousFrom(size_t statement, int offset) const;

private:
  std::unordered_map<std::string, Symbol, NoCaseHash, NoCaseEqual> byName_;
  std::vector<std::pair<size_t, std::int32_t>> anonymous_;
};

} // namespace tavasm
