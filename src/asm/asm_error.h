// The one exception the assembler throws: a message about the line being assembled.
#pragma once

#include <stdexcept>
#include <string>

namespace tavasm {

class AsmError : public std::runtime_error {
public:
  explicit AsmError(const std::string& text) : std::runtime_error(text) {}
};

} // namespace tavasm
