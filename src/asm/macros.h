// The macros a source defines: one-line #defines (with or without parameters) and
// multi-line #macro ... #endmacro, and the substitution of their tokens.
#pragma once

#include "asm/diagnostics.h"
#include "asm/token.h"

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavasm {

struct BodyLine {
  Where where; // the line in the #macro's body
  std::vector<Token> tokens;
};

struct Macro {
  MacroOrigin origin;
  bool function = false;  // #define NAME(a,b) or #macro NAME(a,b)
  bool multiLine = false; // #macro
  std::vector<std::string_view> params;
  std::vector<Token> body;     // a #define's replacement
  std::vector<BodyLine> lines; // a #macro's lines
};

using Arguments = std::vector<std::vector<Token>>;

class MacroTable {
public:
  static constexpr int kMaxDepth = 64;
  static constexpr size_t kMaxLineTokens = 1u << 20;

  Macro& define(std::unique_ptr<Macro> macro); // replaces one of the same name
  void undefine(std::string_view name);
  const Macro* find(std::string_view name) const;
  bool empty() const { return byName_.empty(); }

  // `in` with its #defines replaced, into `out`. Throws AsmError when a macro expands itself,
  // takes other arguments, or the line grows too long.
  void expand(Span in, std::vector<Token>& out) const;

  // The arguments of a call whose '(' is at in[at], up to its ')'; `end` is set past it.
  // False when the ')' is missing.
  static bool arguments(Span in, size_t at, size_t& end, Arguments& args);
  // The tokens with each parameter replaced by its argument, at the parameter's column.
  static void substitute(const Macro& m, Span tokens, const Arguments& args,
                         std::vector<Token>& out);
  // "macro NAME takes 2 arguments, given 1", or empty when they fit.
  static std::string argumentMismatch(const Macro& m, Arguments& args);

private:
  void expandInto(Span in, std::vector<Token>& out, std::vector<const Macro*>& active,
                  const MacroOrigin* origin, int col, int depth) const;

  std::unordered_map<std::string, std::unique_ptr<Macro>, NoCaseHash, NoCaseEqual> byName_;
  size_t longest_ = 0;
  // Macros undefined or defined anew: tokens kept for the second pass still point into them.
  std::vector<std::unique_ptr<Macro>> retired_;
};

} // namespace tavasm
