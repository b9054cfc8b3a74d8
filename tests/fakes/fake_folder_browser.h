#pragma once
// A folder browser that returns a set answer ("" for Cancel) and counts its uses.
#include "ports/folder_browser.h"

#include <string>

namespace tavrin::fakes {

class FakeFolderBrowser : public FolderBrowser {
public:
  std::string answer;
  int shown = 0;
  std::string selectFolder() override {
    ++shown;
    return answer;
  }
};

} // namespace tavrin::fakes
