// The pass driver: reads the source's statements once, assembles them in a first pass that
// keeps the bytes of every statement whose values were all known, and redoes the others in a
// second pass, when every label is known. Shared by assembler.cpp (the passes, symbols and
// messages) and directives.cpp (the directives).
#pragma once

#include "asm/assembler.h"
#include "asm/expression.h"
#include "asm/output_image.h"
#include "asm/preprocessor.h"
#include "asm/statement.h"
#include "asm/symbol_table.h"
#include "asm/z80_operands.h"

#include <map>
#include <set>
#include <tuple>
#include <memory>
#include <string>
#include <vector>

namespace tavasm {

class Assembly : public Symbols, public Evaluator {
public:
  Assembly(SourceFiles& files, const Options& options) : files_(files), options_(options) {}
  Program run(const std::string& path);

  std::optional<std::int32_t> symbol(const Token& name) override;
  std::optional<std::int32_t> anonymous(int offset) override;
  std::int32_t here() override { return static_cast<std::int32_t>(pc_); }
  Arg evaluate(Span expression) override;
  void warn(const std::string& text, const Token& at) override;

private:
  struct Stored {
    size_t begin, end; // in tokens_
    const Where* where;
    bool firstOfLine;
    std::uint32_t address = 0, endAddress = 0; // in the first pass
    bool done = false;                         // its first-pass bytes are final
    size_t keptAt = 0, keptSize = 0;           // those bytes, in kept_
  };
  struct Pending {
    Message message;
    size_t seq; // the statement it belongs to, in source order
  };
  // An instruction added with .addinstr: its operand pattern ('*' stands for a value), the
  // opcode bytes and the instruction's whole size.
  struct Added {
    std::vector<Token> pattern;
    std::vector<std::uint8_t> opcode;
    size_t size = 0;
  };

  Span tokens(size_t statement) const;
  void takeMessages();
  void keep(Message message, size_t seq);
  void readSource(Preprocessor& pre);
  void secondPass();
  void assemble(size_t statement);
  void run(const Statement& s);
  void defineLabel(const Token& name);
  void duplicate(const Token& name, const Symbol& first);
  void pictureSize(const Line& line);
  void defineEquate(const Statement& s);
  void checkName(const Token& name, const char* what);
  std::optional<std::int32_t> resolve(Symbol& symbol);
  std::string whyNoValue(const Token& missing);
  std::int32_t known(Span expression, const char* what);
  void emit(const std::uint8_t* bytes, size_t size);
  void report(const std::string& text, const Token* at, bool error = true);

  // directives.cpp
  void directive(const Token& name, Span operands);
  void data(Span operands, int width);
  void reserve(const Token& name, Span operands);
  void echo(Span operands);
  void addInstruction(Span operands);
  bool addedInstruction(const Token& name, Span operands);

  SourceFiles& files_;
  const Options& options_;
  Preprocessor* pre_ = nullptr;
  std::vector<Token> tokens_;
  std::vector<Stored> statements_;
  std::vector<std::uint8_t> kept_; // the first pass's bytes of the statements done then
  std::vector<std::uint8_t> line_; // the bytes of the statement being assembled
  std::vector<std::uint8_t> buffer_;
  std::vector<Span> operands_;
  OutputImage image_;
  SymbolTable symbols_;
  std::vector<const Macro*> lateDefines_; // #defines being read as values
  std::multimap<std::string, Added, std::less<>> added_;
  std::vector<Pending> pending_;
  std::vector<Message> preprocessorMessages_;
  std::vector<std::string> echoes_;
  struct {
    std::string name;
    std::int32_t value = 0;
    size_t statement = 0;
  } lastLabel_; // the label defined last in the first pass
  int pass_ = 1;
  std::uint32_t pc_ = 0;
  size_t current_ = 0;
  bool unsure_ = false;       // a value in the statement was not known yet, or it failed
  bool failed_ = false;       // the statement has an error
  bool layoutUnsure_ = false; // a value that places code was not known in the first pass
  bool ended_ = false;        // .end: the rest of the line is not read
  bool overflowReported_ = false;
  size_t made_ = 0; // bytes made in this pass
  bool sizeReported_ = false;
  std::set<std::tuple<std::string, int, int, std::string>> seen_; // messages kept
  int errors_ = 0;
  int keptErrors_ = 0, dropped_ = 0;
  static constexpr int kMaxKeptErrors = 20 * kMaxErrors;
  int depth_ = 0; // symbols being worked out, one inside another
  static constexpr int kMaxChain = 200;
};

} // namespace tavasm
