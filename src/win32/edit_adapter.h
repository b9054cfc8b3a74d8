#pragma once
// The Editor port on a multi-line EDIT control. The window that owns the control
// passes its EN_CHANGE notifications in through controlChanged().
#include "ports/editor.h"

#include <windows.h>

namespace tavrin::win32 {

class EditAdapter : public Editor {
public:
  // Creates the control the adapter expects: a Unicode EDIT, visible, child of `parent`.
  // The adapter reads and replaces its text in the control's own buffer, so a large text
  // is neither copied by the control nor converted by the system on the way.
  static HWND createControl(HWND parent, DWORD style, int id, RECT bounds = {});

  explicit EditAdapter(HWND edit);

  std::string text() const override;
  void readText(const std::function<void(std::string_view)>& put) const override;
  void setText(const std::string& text) override;
  void clear() override;
  void insertAtEnd(const std::vector<std::string>& pieces) override;
  std::string tail(std::size_t count) const override;
  bool keepsBytes(std::string_view text) const override;
  unsigned codePage() const override;
  void focus() override;
  void select(std::size_t start, std::size_t length) override;
  void onChange(std::function<void()> handler) override { handler_ = std::move(handler); }

  // EN_CHANGE from the control.
  void controlChanged();
  HWND hwnd() const { return edit_; }

private:
  std::size_t length() const;
  void replaceAll(const std::string& text);
  HWND edit_;
  bool quiet_ = false;
  std::function<void()> handler_;
};

} // namespace tavrin::win32
