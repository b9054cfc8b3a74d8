#pragma once
// The Windows shell's "open" action.
#include <string>

namespace tavrin {

class Shell {
public:
  virtual ~Shell() = default;
  // Opens file with the given parameter string and working folder (empty: none),
  // in a normal window. Returns the shell's result code: above 32 means success.
  virtual long open(const std::string& file, const std::string& parameters,
                    const std::string& directory) = 0;
};

} // namespace tavrin
