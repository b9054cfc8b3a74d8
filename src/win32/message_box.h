#pragma once
// The Prompt port on MessageBoxA, owned by one window.
#include "ports/prompt.h"

#include <windows.h>

namespace tavrin::win32 {

class MessageBoxPrompt : public Prompt {
public:
  // owner() is asked at each box: windows are created after their prompts.
  explicit MessageBoxPrompt(const HWND* owner) : owner_(owner) {}
  Answer show(const std::string& text, const std::string& caption, Icon icon,
              Buttons buttons) override;

private:
  const HWND* owner_;
};

} // namespace tavrin::win32
