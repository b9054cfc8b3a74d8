// What the picture compiler throws when its source, or a picture made from it, will not do.
#pragma once

#include <stdexcept>
#include <string>

namespace tavrin::pictures {

// A fault with the line it was found on (1-based; 0 for the whole file).
class FormatError : public std::runtime_error {
public:
  FormatError(int line, const std::string& what)
      : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + what : what),
        line_(line) {}
  int line() const { return line_; }

private:
  int line_;
};

} // namespace tavrin::pictures
