// The first stage of assembly: reads the source and its #include files line by line into
// tokens, follows #define, #macro, #if and the rest, and hands on each line to assemble with
// its macros expanded.
#pragma once

#include "asm/assembler.h"
#include "asm/macros.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace tavasm {

struct Line {
  const Where* where = nullptr; // stable for the preprocessor's lifetime
  std::vector<Token> tokens;    // macros expanded
  int pictureWidth = 0;         // the line holds an included picture of this size
  int pictureHeight = 0;
};

class Preprocessor {
public:
  // Messages are appended to `messages`; the preprocessor never throws on bad input.
  Preprocessor(SourceFiles& files, const Options& options, std::vector<Message>& messages);
  ~Preprocessor();

  void start(const std::string& path);
  // The next line to assemble; false at the end of the source.
  bool next(Line& out);
  // .end was read: the file it is in ends here; in the main file, the whole source.
  void endFile();

  const MacroTable& macros() const { return macros_; }
  const std::vector<std::string>& filesRead() const { return filesRead_; }

  static constexpr int kMaxIncludeDepth = 32;
  static constexpr int kMaxIncludes = 4096;          // in all, so none includes itself twice over
  static constexpr size_t kMaxMacroLines = 1u << 16; // lines made by #macro calls, in all

private:
  struct Frame;
  struct Condition {
    bool taking = false;     // this branch is assembled
    bool anyTaken = false;   // some branch of this #if was
    bool outerTaking = true; // the enclosing branch is assembled
    bool seenElse = false;
    const Where* where = nullptr;
  };

  bool readLine(Frame& frame, std::vector<Token>& raw, const Where*& where);
  bool taking() const { return conditions_.empty() || conditions_.back().taking; }
  void error(const Where* where, const Token* at, const std::string& text);
  void directive(const Where* where, Span tokens);
  void condition(const Where* where, const std::string& name, Span rest);
  void define(const Where* where, Span rest, bool multiLine);
  void include(const Where* where, Span tokens);
  void includePicture(const Where* where, const Token& name, const std::string& path,
                      const std::string& file);
  bool callsMacro(Line& out);
  void enterFile(const std::string& path, std::string text, const Where* from);
  void leave();

  SourceFiles& files_;
  std::vector<Message>& messages_;
  std::vector<std::string> includeDirs_;
  MacroTable macros_;
  Macro* lastDefined_ = nullptr;
  std::unique_ptr<Macro> defining_; // the #macro whose lines are being read
  const Where* definingWhere_ = nullptr;
  std::deque<std::string> names_, texts_; // the files read, which tokens point into
  std::deque<Where> wheres_;
  std::deque<std::vector<std::string>> chains_;
  std::vector<std::string> filesRead_;
  std::vector<std::unique_ptr<Frame>> frames_;
  std::vector<Condition> conditions_;
  std::vector<Token> raw_;
  int includes_ = 0;
  size_t macroLines_ = 0;
  int pictureWidth_ = 0, pictureHeight_ = 0; // of the raw line, when it is a picture's
};

} // namespace tavasm
