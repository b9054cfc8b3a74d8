#pragma once
// The FileSystem port on kernel32 files.
#include "ports/file_system.h"

namespace tavrin::win32 {

class Win32FileSystem : public FileSystem {
public:
  std::string readAll(const std::string& path) override;
  using FileSystem::writeAll;
  void writeAll(const std::string& path, const TextSource& source) override;
  std::optional<DosStamp> lastWrite(const std::string& path) override;
  std::string fullPath(const std::string& path) override;
};

} // namespace tavrin::win32
