#pragma once
// What the main window shows of the document: the name bar, the Save command
// (toolbar button and menu item together) and the status bar's date panel. The
// document tells it; it is never asked back.
#include <string>

namespace tavrin {

class DocumentView {
public:
  virtual ~DocumentView() = default;
  virtual void setNameBar(const std::string& caption) = 0;
  virtual void setSaveEnabled(bool enabled) = 0;
  virtual void setDateText(const std::string& text) = 0;
};

} // namespace tavrin
