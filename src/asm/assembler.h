// tavasm: a two-pass Z80 assembler for TI-83 sources, in the dialect TI programmers write
// (TASM's, with the additions of the community's assemblers). The library reads sources only
// through SourceFiles, so it runs on files in memory in tests and on real files in the
// command-line program.
#pragma once

#include "asm/diagnostics.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tavasm {

struct FileText {
  enum class Status { Ok, Missing, Folder, TooLarge };
  Status status = Status::Missing;
  std::string text;
};

class SourceFiles {
public:
  virtual ~SourceFiles() = default;
  // The whole file, or why there is none; a file longer than kMaxSourceSize is not read
  // whole (it may be endless, as a device is).
  virtual FileText read(const std::string& path) = 0;
};

inline constexpr std::size_t kMaxSourceSize = 64u << 20;

struct Options {
  std::vector<std::string> includeDirs; // searched in order after the including file's folder
  std::vector<std::pair<std::string, std::string>> defines; // NAME, text, as #define would
};

struct Program {
  std::uint32_t origin = 0;        // the address of bytes[0]
  std::vector<std::uint8_t> bytes; // every byte made, in the order the source makes them
  std::vector<Message> messages;   // errors (at most kMaxErrors) and warnings, in source order
  std::vector<std::string> echoes; // what .echo printed
  std::vector<std::string> files;  // every file read: the source and its includes
  int moreErrors = 0;              // errors past kMaxErrors, not in messages
  bool ok() const;
};

inline constexpr int kMaxErrors = 50;

Program assemble(const std::string& path, SourceFiles& files, const Options& options = {});

// Every message of the program, one after another, and a last line that counts the errors
// left out: what the command line prints.
std::string report(const Program& program, const std::string& source);

} // namespace tavasm
