#pragma once
// The main window's name bar, Save command and date panel, held in fields.
#include "ports/document_view.h"

#include <string>

namespace tavrin::fakes {

class FakeDocumentView : public DocumentView {
public:
  std::string caption = "NoName"; // as the window starts
  bool saveOn = false;
  std::string dateText;
  int nameBarWrites = 0;

  void setNameBar(const std::string& c) override { caption = c, ++nameBarWrites; }
  void setSaveEnabled(bool enabled) override { saveOn = enabled; }
  void setDateText(const std::string& text) override { dateText = text; }
};

} // namespace tavrin::fakes
