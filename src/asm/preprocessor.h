// The first stage of assembly: reads the source and its #include files line by line, drops
// comments, follows #define/#ifdef/#if and the rest, and hands on each line that is assembled
// with its macros expanded.
#pragma once

#include "asm/assembler.h"

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavasm {

struct SourceLine {
  const std::string* file = nullptr; // stable for the preprocessor's lifetime
  int line = 0;
  std::string text; // comment removed, macros expanded
};

class Preprocessor {
public:
  // Messages are appended to `messages`; the preprocessor never throws on bad input.
  Preprocessor(SourceFiles& files, const Options& options, std::vector<Message>& messages);
  ~Preprocessor();

  void start(const std::string& path);
  // The next line to assemble; false at the end of the source.
  bool next(SourceLine& out);

  static constexpr int kMaxIncludeDepth = 32;
  static constexpr int kMaxMacroDepth = 64;
  static constexpr size_t kMaxLineSize = 1 << 20;

private:
  struct Macro {
    std::string name; // as defined, for messages
    bool function = false;
    std::vector<std::string> params; // lower case
    std::string body;
  };
  struct Condition {
    bool taking = false;     // this branch is assembled
    bool anyTaken = false;   // some branch of this #if was
    bool outerTaking = true; // the enclosing branch is assembled
    bool seenElse = false;
    int line = 0;
  };
  struct Frame;

  void error(const Frame& frame, const std::string& text);
  bool taking() const;
  void directive(Frame& frame, std::string_view text);
  void define(Frame& frame, std::string_view rest);
  void include(Frame& frame, std::string_view rest);
  void enter(std::string text);
  void endOfFile(Frame& frame);
  bool condition(Frame& frame, std::string_view expr);
  void expand(std::string_view text, std::string& out); // out holds the line expanded
  void expandInto(std::string& out, std::string_view text, std::vector<const Macro*>& active);
  void fail(const std::string& text);
  std::string includeChain() const;

  SourceFiles& files_;
  std::vector<Message>& messages_;
  std::vector<std::string> includeDirs_;
  std::unordered_map<std::string, Macro> macros_; // by lower-case name
  Macro* lastDefined_ = nullptr;
  size_t longestMacroName_ = 0;
  std::deque<std::string> names_; // the files' names, which SourceLine points into
  std::vector<std::unique_ptr<Frame>> frames_;
  std::vector<Condition> conditions_;
  std::string expansionError_;
  std::vector<const Macro*> active_; // the macros being expanded, innermost last
};

} // namespace tavasm
