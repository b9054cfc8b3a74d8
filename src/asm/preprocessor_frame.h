// What the preprocessor reads from: its stack of frames (the preprocessor's own, shared by
// its two source files).
#pragma once

#include "asm/preprocessor.h"

namespace tavasm {

// A file being read, a #macro being expanded, or the rest of a line after a macro's call.
struct Preprocessor::Frame {
  enum class Kind { File, Macro, Rest } kind = Kind::File;
  const std::string* name = nullptr; // File: the file's name
  std::string_view text;             // File: its text
  size_t at = 0;
  int line = 0;
  const Macro* macro = nullptr; // Macro
  Arguments args;
  std::vector<Token> rest; // Rest
  int pictureWidth = 0, pictureHeight = 0;
  const Where* where = nullptr;
  const std::vector<std::string>* chain = nullptr;
  size_t conditionBase = 0;
};

} // namespace tavasm
