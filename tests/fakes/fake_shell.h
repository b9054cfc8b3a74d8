#pragma once
// A shell that records each "open" and answers a set result code.
#include "ports/shell.h"

#include <string>
#include <vector>

namespace tavrin::fakes {

class FakeShell : public Shell {
public:
  struct Opened {
    std::string file, parameters, directory;
  };
  long result = 42; // above 32: success
  std::vector<Opened> opened;

  long open(const std::string& file, const std::string& parameters,
            const std::string& directory) override {
    opened.push_back({file, parameters, directory});
    return result;
  }
};

} // namespace tavrin::fakes
