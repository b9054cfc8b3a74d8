#pragma once
// The one exception type of the program: it carries the text the user sees.
#include <stdexcept>
#include <string>

namespace tavrin {

class Error : public std::runtime_error {
public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// Sentences inside message texts are separated by LF CR, not CR LF.
inline constexpr const char* kLfCr = "\n\r";

// The default error box appends a full stop when the text's last character
// sorts above '.', so "...for 'asmbatdir'" keeps its closing quote last.
inline std::string withFullStop(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > 0x2E) return text + ".";
  return text;
}

} // namespace tavrin
