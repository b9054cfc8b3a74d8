#pragma once
// The one setting the program runs on: the folder of go.bat (AsmBatDir), read from the
// registry at start-up, written by the Configuration dialog's Save and used by Compile.
#include <string>

namespace tavrin {

class ScriptFolder {
public:
  const std::string& get() const { return folder_; }
  void set(const std::string& folder) { folder_ = folder; }

private:
  std::string folder_;
};

} // namespace tavrin
