#pragma once
// Modal message boxes, owned by the window that holds the adapter.
#include <string>

namespace tavrin {

enum class Icon { None, Information, Question, Warning, Error };
enum class Buttons { Ok, OkCancel, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class Prompt {
public:
  virtual ~Prompt() = default;
  virtual Answer show(const std::string& text, const std::string& caption, Icon icon,
                      Buttons buttons) = 0;
};

} // namespace tavrin
