// One place for the assembler's messages: where each is (file, line, column, the source line,
// the includes and macros it was reached through), and how it is shown.
#pragma once

#include "asm/token.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavasm {

struct Message {
  std::string file; // as given on the command line, or as found for an #include
  int line = 0;     // 1-based in that file; 0 when the message is about no line
  int col = 0;      // 1-based; 0 when it is about the whole line or file
  bool error = true;
  std::string text;
  std::string source;             // the line as written, for the caret under it
  std::vector<std::string> chain; // "included from t.z80:3", "in macro twice (...)"
};

// "FILE:LINE:COL: error: TEXT" (or warning), then the source line and a caret under the
// column, then the chain, one line each; "FILE: error: TEXT" for a message about no line.
std::string format(const Message& message);

// The #define or #macro that a token or a line came from.
struct MacroOrigin {
  std::string name; // as defined
  const std::string* file = nullptr;
  int line = 0;
};

// Where a line being assembled came from: the messages about it are made from this.
struct Where {
  const std::string* file = nullptr;
  int line = 0;
  std::string_view text;                           // the line as written
  const std::vector<std::string>* chain = nullptr; // shared by the lines of one file or macro
};

} // namespace tavasm

namespace tavasm {

// A message about `where`, at the token `at` (or the whole line): with the macro the token
// came from and the includes and macros the line was reached through.
Message messageAt(const Where& where, const Token* at, bool error, const std::string& text);

} // namespace tavasm
