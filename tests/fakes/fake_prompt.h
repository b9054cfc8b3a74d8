#pragma once
// Message boxes that answer from a script and record what they were asked.
#include "ports/prompt.h"

#include <deque>
#include <string>
#include <vector>

namespace tavrin::fakes {

struct ShownBox {
  std::string text, caption;
  Icon icon;
  Buttons buttons;
};

class FakePrompt : public Prompt {
public:
  std::deque<Answer> answers; // next answers; Ok when empty
  std::vector<ShownBox> shown;

  Answer show(const std::string& text, const std::string& caption, Icon icon,
              Buttons buttons) override {
    shown.push_back({text, caption, icon, buttons});
    if (answers.empty()) return Answer::Ok;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
};

} // namespace tavrin::fakes
