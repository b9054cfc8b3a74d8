#include "asm/symbol_table.h"

#include <algorithm>

namespace tavasm {

Symbol* SymbolTable::find(std::string_view name) {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : &it->second;
}

Symbol& SymbolTable::insert(std::string_view name, bool& fresh) {
  auto it = byName_.find(name);
  fresh = it == byName_.end();
  if (fresh) it = byName_.emplace(std::string(name), Symbol{}).first;
  return it->second;
}

void SymbolTable::anonymous(size_t statement, std::int32_t address) {
  auto it = std::lower_bound(anonymous_.begin(), anonymous_.end(), statement,
                             [](const auto& a, size_t s) { return a.first < s; });
  if (it != anonymous_.end() && it->first == statement)
    it->second = address; // the second pass, where addresses may have moved
  else
    anonymous_.insert(it, {statement, address});
}

std::optional<std::int32_t> SymbolTable::anonymousFrom(size_t statement, int offset) const {
  auto after = std::upper_bound(anonymous_.begin(), anonymous_.end(), statement,
                                [](size_t s, const auto& a) { return s < a.first; });
  const std::ptrdiff_t index = (after - anonymous_.begin()) + (offset < 0 ? offset : offset - 1);
  if (index < 0 || index >= static_cast<std::ptrdiff_t>(anonymous_.size())) return std::nullopt;
  return anonymous_[static_cast<size_t>(index)].second;
}

} // namespace tavasm
