#pragma once
// Whole-file reads and writes, existence and last-write time.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// A local last-write time in the platform's DOS form (two-second steps).
struct DosStamp {
  std::uint16_t date = 0; // bits 15-9 year-1980, 8-5 month, 4-0 day
  std::uint16_t time = 0; // bits 15-11 hour, 10-5 minute, 4-0 seconds/2
  friend bool operator==(const DosStamp&, const DosStamp&) = default;
};

// Takes a text's pieces in order; a TextSource hands its whole text to one, piece by piece.
using TextSink = std::function<void(std::string_view)>;
using TextSource = std::function<void(const TextSink&)>;

class FileSystem {
public:
  virtual ~FileSystem() = default;
  // The whole file, bytes as they are. Opens sharing reads only. Throws Error with
  // "Cannot open file ..." when the file can't be opened or read.
  virtual std::string readAll(const std::string& path) = 0;
  // Writes data as the whole new contents of path without ever leaving a partly
  // written target: a temporary file in the same folder replaces it. Throws Error
  // with "Cannot create file ..." or "Stream write error". The text comes from `source`
  // piece by piece, so no copy of all of it is needed; should the source throw, the
  // target stays as it was and the exception goes on.
  virtual void writeAll(const std::string& path, const TextSource& source) = 0;
  void writeAll(const std::string& path, std::string_view data) {
    writeAll(path, [data](const TextSink& put) { put(data); });
  }
  // The last-write time of a file (not a folder) as a local DOS stamp; nothing when
  // the name matches no file, or its time is before 1980, or asking fails.
  virtual std::optional<DosStamp> lastWrite(const std::string& path) = 0;
  // The path expanded to a full path, for messages.
  virtual std::string fullPath(const std::string& path) = 0;
};

} // namespace tavrin
