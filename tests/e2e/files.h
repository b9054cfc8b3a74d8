// Files and folders for the tests to hand the app and to check after it: a temp folder
// of a test's own, whole-file reads and writes, folder listings and write times.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A folder of its own under the Windows temp folder, removed with its files at the end.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }                          // ends in a backslash
  std::string file(const std::string& name, const std::string& bytes) const; // full path
private:
  std::string path_;
};

// A path in double quotes, as one argument of a command line.
std::string quoted(const std::string& path);

// The names in a folder (given with its final backslash) that match the pattern,
// without "." and "..".
std::vector<std::string> namesIn(const std::string& folder, const std::string& pattern = "*");

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
void setLastWrite(const std::string& path, const SYSTEMTIME& local);

} // namespace e2e
