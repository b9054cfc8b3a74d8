#include "help_context_name.h"

#include <algorithm>

namespace tavrin::help {

std::int32_t contextHash(std::string_view name) {
  std::uint32_t hash = 0;
  for (char c : name) {
    std::uint32_t x = 0;
    if (c >= 'A' && c <= 'Z') x = std::uint32_t(c - 'A' + 17);
    if (c >= 'a' && c <= 'z') x = std::uint32_t(c - 'a' + 17);
    if (c >= '1' && c <= '9') x = std::uint32_t(c - '0');
    if (c == '0') x = 10;
    if (c == '.') x = 12;
    if (c == '_') x = 13;
    if (x) hash = hash * 43 + x;
  }
  return std::int32_t(hash);
}

bool validContextName(std::string_view name) {
  if (name.empty()) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_';
  });
}

} // namespace tavrin::help
