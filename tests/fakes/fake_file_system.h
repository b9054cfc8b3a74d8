#pragma once
// Files held in a map, with switches that make reads, creates and writes fail with
// the texts the real file system gives.
#include "core/error.h"
#include "document/file_errors.h"
#include "ports/file_system.h"

#include <map>
#include <new>
#include <set>
#include <stdexcept>
#include <string>

namespace tavrin::fakes {

class FakeFileSystem : public FileSystem {
public:
  std::map<std::string, std::string> files; // path -> bytes
  std::map<std::string, DosStamp> stamps;   // path -> last write; files without get defaultStamp
  std::set<std::string> folders;            // folders: no last write, can't be read
  std::set<std::string> before1980;         // files whose time has no DOS form
  DosStamp defaultStamp{static_cast<std::uint16_t>((44 << 9) | (3 << 5) | 5),
                        static_cast<std::uint16_t>((14 << 11) | (7 << 5) | 4)};
  std::string currentFolder = "C:\\work\\";
  bool failReads = false;   // as a file held open for writing by another program
  bool failCreates = false; // as a read-only target
  bool failWrites = false;  // as a full disk
  bool failStamps = false;  // asking for the time throws
  bool outOfMemory = false; // the file is larger than the memory left
  int writes = 0;           // successful writeAll calls

  std::string readAll(const std::string& path) override {
    auto it = files.find(path);
    if (outOfMemory) throw std::bad_alloc();
    if (failReads)
      throw Error(cannotOpenText(fullPath(path), "The process cannot access the file because it "
                                                 "is being used by another process.\r\n"));
    if (it == files.end())
      throw Error(cannotOpenText(fullPath(path), "The system cannot find the file specified.\r\n"));
    return it->second;
  }
  using FileSystem::writeAll;
  void writeAll(const std::string& path, const TextSource& source) override {
    if (failCreates || folders.count(path))
      throw Error(cannotCreateText(fullPath(path), "Access is denied.\r\n"));
    std::string data;
    source([&](std::string_view piece) { data += piece; });
    if (failWrites) throw Error(kStreamWriteError); // the old contents stay whole
    files[path] = data;
    ++writes;
  }
  std::optional<DosStamp> lastWrite(const std::string& path) override {
    if (failStamps) throw std::runtime_error("lastWrite failed");
    if (!files.count(path) || before1980.count(path)) return std::nullopt;
    auto it = stamps.find(path);
    return it == stamps.end() ? defaultStamp : it->second;
  }
  std::string fullPath(const std::string& path) override {
    bool absolute = path.size() >= 2 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\'));
    return absolute ? path : currentFolder + path;
  }
};

} // namespace tavrin::fakes
