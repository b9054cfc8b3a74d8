// tavasm: a two-pass Z80 assembler for TI-83 sources in the TASM dialect.
// The library reads sources only through SourceFiles, so it runs on files in memory in tests
// and on real files in the command-line program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavasm {

struct Message {
  std::string file; // as given on the command line, or as found for an #include
  int line = 0;     // 1-based in that file; 0 when the message is about no line
  bool error = true;
  std::string text;
};

class SourceFiles {
public:
  virtual ~SourceFiles() = default;
  // The whole file, or nothing when it can't be read.
  virtual std::optional<std::string> read(const std::string& path) = 0;
};

struct Options {
  std::vector<std::string> includeDirs; // searched in order after the including file's folder
  std::vector<std::pair<std::string, std::string>> defines; // NAME, text, as #define would
};

struct Program {
  std::uint32_t origin = 0;        // address of bytes[0]
  std::vector<std::uint8_t> bytes; // the first to the last byte written; gaps hold 0
  std::vector<Message> messages;   // errors (at most kMaxErrors) and warnings, in source order
  std::vector<std::string> echoes; // what .echo printed
  bool ok() const;
};

inline constexpr int kMaxErrors = 50;

Program assemble(const std::string& path, SourceFiles& files, const Options& options = {});

// "FILE:LINE: error: TEXT", or "FILE: error: TEXT" when the message has no line.
std::string format(const Message& message);

} // namespace tavasm
