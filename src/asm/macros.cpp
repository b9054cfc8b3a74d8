#include "asm/macros.h"

#include "asm/asm_error.h"

#include <algorithm>

namespace tavasm {

Macro& MacroTable::define(std::unique_ptr<Macro> macro) {
  longest_ = std::max(longest_, macro->origin.name.size());
  auto& slot = byName_[macro->origin.name];
  if (slot) retired_.push_back(std::move(slot));
  slot = std::move(macro);
  return *slot;
}

void MacroTable::undefine(std::string_view name) {
  auto it = byName_.find(name);
  if (it == byName_.end()) return;
  retired_.push_back(std::move(it->second));
  byName_.erase(it);
}

const Macro* MacroTable::find(std::string_view name) const {
  if (name.size() > longest_) return nullptr;
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second.get();
}

bool MacroTable::arguments(Span in, size_t at, size_t& end, Arguments& args) {
  int depth = 0;
  std::vector<Token> current;
  for (size_t i = at; i < in.size(); ++i) {
    const Token& t = in[i];
    if (t.kind == T::Open && depth++ == 0) continue;
    if (t.kind == T::Close && --depth == 0) {
      args.push_back(std::move(current));
      end = i + 1;
      return true;
    }
    if (t.kind == T::Comma && depth == 1) {
      args.push_back(std::move(current));
      current.clear();
      continue;
    }
    current.push_back(t);
  }
  return false;
}

std::string MacroTable::argumentMismatch(const Macro& m, Arguments& args) {
  if (args.size() == 1 && args[0].empty() && m.params.empty()) args.clear();
  if (args.size() == m.params.size()) return {};
  return "macro " + m.origin.name + " takes " + std::to_string(m.params.size()) +
         (m.params.size() == 1 ? " argument" : " arguments") + ", given " +
         std::to_string(args.size());
}

void MacroTable::substitute(const Macro& m, Span tokens, const Arguments& args,
                            std::vector<Token>& out) {
  for (const Token& t : tokens) {
    size_t p = m.params.size();
    if (t.kind == T::Name)
      for (p = 0; p < m.params.size() && !equalsNoCase(m.params[p], t.text); ++p) {
      }
    if (p == m.params.size()) {
      out.push_back(t);
      continue;
    }
    for (size_t k = 0; k < args[p].size(); ++k) {
      Token a = args[p][k];
      a.col = t.col;
      if (k == 0) a.spaceBefore = t.spaceBefore;
      out.push_back(a);
    }
  }
}

void MacroTable::expand(Span in, std::vector<Token>& out) const {
  out.clear();
  if (byName_.empty()) {
    out.assign(in.begin(), in.end());
    return;
  }
  std::vector<const Macro*> active;
  expandInto(in, out, active, nullptr, 0, 0);
}

// Tokens substituted from a macro are placed at the column of the name they replace and keep
// the outermost macro they came from, for messages.
void MacroTable::expandInto(Span in, std::vector<Token>& out, std::vector<const Macro*>& active,
                            const MacroOrigin* origin, int col, int depth) const {
  for (size_t i = 0; i < in.size(); ++i) {
    const Token& t = in[i];
    const Macro* m = t.kind == T::Name ? find(t.text) : nullptr;
    Arguments args;
    size_t after = i + 1;
    if (m && m->function &&
        !(after < in.size() && in[after].kind == T::Open && arguments(in, after, after, args)))
      m = nullptr; // the name without a call
    if (!m || m->multiLine) {
      out.push_back(t);
      if (col > 0) out.back().col = col;
      if (origin) out.back().macro = origin;
      continue;
    }
    // Calls nest in each other's bodies and in each other's arguments: both count.
    if (std::find(active.begin(), active.end(), m) != active.end() || depth >= kMaxDepth) {
      std::string chain;
      for (const Macro* a : active)
        chain += a->origin.name + " -> ";
      const bool itself = std::find(active.begin(), active.end(), m) != active.end();
      Token at = t;
      if (col > 0) at.col = col;
      throw AsmError((!itself ? "macros nest deeper than " + std::to_string(kMaxDepth) + ": "
                              : "macro " + m->origin.name + " expands itself: ") +
                         chain + m->origin.name,
                     &at);
    }
    Token at = t; // where the call stands in the line being assembled
    if (col > 0) at.col = col;
    const std::string mismatch = m->function ? argumentMismatch(*m, args) : std::string();
    if (!mismatch.empty()) throw AsmError(mismatch, &at);
    std::vector<Token> body;
    if (m->function) {
      // Arguments are expanded first, so a call may take another call of the same macro.
      for (auto& arg : args) {
        std::vector<Token> expanded;
        expandInto({arg.data(), arg.data() + arg.size()}, expanded, active, origin, col, depth + 1);
        arg = std::move(expanded);
      }
      substitute(*m, {m->body.data(), m->body.data() + m->body.size()}, args, body);
    }
    const std::vector<Token>& replacement = m->function ? body : m->body;
    active.push_back(m);
    expandInto({replacement.data(), replacement.data() + replacement.size()}, out, active,
               origin ? origin : &m->origin, col > 0 ? col : t.col, depth + 1);
    active.pop_back();
    if (out.size() > kMaxLineTokens)
      throw AsmError("the line grows past " + std::to_string(kMaxLineTokens) +
                         " tokens as its macros are expanded",
                     &at);
    i = after - 1;
  }
}

} // namespace tavasm
