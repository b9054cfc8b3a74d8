#pragma once
// The modeless Find dialog of the common dialogs, owned by the main window, which
// destroys it with itself. It keeps what the user left in it, the text, match case,
// whole word and the direction, for the next time it is shown.
#include "win32/message_loop.h"

#include <commdlg.h>

#include <string>

namespace tavrin {

class FindDialog {
public:
  explicit FindDialog(win32::MessageLoop& loop);
  FindDialog(const FindDialog&) = delete;
  FindDialog& operator=(const FindDialog&) = delete;

  // Shows the dialog over owner, or brings it forward when it is open.
  void show(HWND owner);
  // The message the dialog sends its owner.
  UINT message() const { return message_; }
  enum class Event { FindNext, Closed, Other };
  // What a message() from the dialog says; Closed keeps its fields.
  Event handle(LPARAM lp);
  const char* text() const { return text_.c_str(); }

private:
  void keepFields();

  win32::MessageLoop& loop_;
  UINT message_;
  FINDREPLACEA find_{};
  std::string text_ = std::string(256, '\0'); // the buffer the dialog edits
  DWORD flags_ = FR_DOWN;                     // FR_DOWN, FR_MATCHCASE, FR_WHOLEWORD
  HWND window_ = nullptr;
};

} // namespace tavrin
