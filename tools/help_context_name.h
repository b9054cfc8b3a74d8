// Context names, by which topics are named and jumped to: which names are good, and the
// viewer's hash of a name, under which the help file finds its topic.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavrin::help {

// WinHelp's hash of a context name: letters without case, digits, '.' and '_' count;
// other characters are skipped.
std::int32_t contextHash(std::string_view name);

// Letters, digits, '.' and '_', at least one of them.
bool validContextName(std::string_view name);

} // namespace tavrin::help
