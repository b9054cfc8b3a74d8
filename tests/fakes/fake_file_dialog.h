#pragma once
// An Open or Save dialog that answers from a script and counts how often it was shown.
#include "ports/file_dialog.h"

#include <deque>
#include <optional>
#include <string>

namespace tavrin::fakes {

class FakeFileDialog : public FileDialog {
public:
  std::deque<std::optional<std::string>> answers; // next answers; cancelled when empty
  int shown = 0;

  std::optional<std::string> choose() override {
    ++shown;
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

} // namespace tavrin::fakes
