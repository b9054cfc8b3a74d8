#pragma once
// The platform's folder browser.
#include <string>

namespace tavrin {

class FolderBrowser {
public:
  virtual ~FolderBrowser() = default;
  // The chosen folder's path, or "" when the user cancelled or the choice has no
  // file-system path.
  virtual std::string selectFolder() = 0;
};

} // namespace tavrin
