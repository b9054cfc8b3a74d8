#pragma once
// The Open or Save dialog. Each remembers the full path last chosen in it and opens
// with that path in its name box.
#include <optional>
#include <string>

namespace tavrin {

class FileDialog {
public:
  virtual ~FileDialog() = default;
  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::string> choose() = 0;
};

} // namespace tavrin
