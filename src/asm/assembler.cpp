#include "asm/assembler.h"

#include "asm/asm_error.h"
#include "asm/assembly.h"
#include "asm/z80_encoder.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace tavasm {

bool Program::ok() const {
  return std::none_of(messages.begin(), messages.end(), [](const Message& m) { return m.error; });
}

namespace {

constexpr std::uint32_t kMemorySize = 0x10000;

// "FE6Eh": a name that the user surely meant as a hexadecimal number.
bool looksHexadecimal(std::string_view name) {
  if (name.size() < 2 || lower(name.back()) != 'h') return false;
  return std::all_of(name.begin(), name.end() - 1,
                     [](char c) { return isDigit(c) || (lower(c) >= 'a' && lower(c) <= 'f'); });
}

} // namespace

Program Assembly::run(const std::string& path) {
  Preprocessor pre(files_, options_, preprocessorMessages_);
  pre_ = &pre;
  pre.start(path);
  readSource(pre);
  secondPass();

  Program program;
  std::stable_sort(pending_.begin(), pending_.end(),
                   [](const Pending& a, const Pending& b) { return a.seq < b.seq; });
  int errors = 0;
  for (auto& p : pending_) {
    const Message& m = p.message;
    if (m.error && ++errors > kMaxErrors) continue;
    program.messages.push_back(std::move(p.message));
  }
  program.moreErrors = std::max(0, errors - kMaxErrors) + dropped_;
  program.origin = image_.origin();
  program.bytes = image_.bytes();
  program.echoes = std::move(echoes_);
  program.files = pre.filesRead();
  return program;
}

void Assembly::takeMessages() {
  for (auto& m : preprocessorMessages_)
    keep(std::move(m), statements_.size());
  preprocessorMessages_.clear();
}

// Messages are kept to be sorted into source order at the end; past a point, errors are
// only counted, so a source of nothing but errors costs no more memory than a good one.
void Assembly::keep(Message m, size_t seq) {
  // The second pass may say again what the first did.
  if (!seen_.insert({m.file, m.line, m.col, m.text}).second) return;
  if (m.error) {
    ++errors_;
    if (keptErrors_ >= kMaxKeptErrors) {
      ++dropped_;
      return;
    }
    ++keptErrors_;
  }
  pending_.push_back({std::move(m), seq});
}

Span Assembly::tokens(size_t i) const {
  const Stored& s = statements_[i];
  return {tokens_.data() + s.begin, tokens_.data() + s.end};
}

// The first pass, as the lines are read: each is split into its statements, which are kept
// for the second pass.
void Assembly::readSource(Preprocessor& pre) {
  Line line;
  for (;;) {
    const bool more = pre.next(line);
    takeMessages();
    if (!more) break;
    ended_ = false;
    if (line.pictureWidth > 0) pictureSize(line);
    size_t start = 0;
    for (size_t i = 0; i <= line.tokens.size() && !ended_; ++i) {
      if (i < line.tokens.size() && line.tokens[i].kind != T::Backslash) continue;
      if (i > start || start == 0) {
        const size_t begin = tokens_.size();
        tokens_.insert(tokens_.end(), line.tokens.begin() + static_cast<std::ptrdiff_t>(start),
                       line.tokens.begin() + static_cast<std::ptrdiff_t>(i));
        statements_.push_back({begin, tokens_.size(), line.where, start == 0});
        const size_t n = statements_.size() - 1;
        statements_[n].address = pc_;
        assemble(n);
        Stored& s = statements_[n];
        s.endAddress = pc_;
        s.done = !unsure_ && !failed_;
        if (s.done) {
          s.keptAt = kept_.size();
          s.keptSize = line_.size();
          kept_.insert(kept_.end(), line_.begin(), line_.end());
        }
        takeMessages();
      }
      start = i + 1;
    }
  }
}

void Assembly::secondPass() {
  pass_ = 2;
  pc_ = 0;
  made_ = 0;
  for (size_t i = 0; i < statements_.size(); ++i) {
    Stored& s = statements_[i];
    if (s.done && !layoutUnsure_) {
      current_ = i;
      pc_ = s.address;
      emit(kept_.data() + s.keptAt, s.keptSize);
      pc_ = s.endAddress;
      continue;
    }
    assemble(i);
    if (failed_) pc_ = s.endAddress; // a failed statement keeps the first pass's layout
  }
}

void Assembly::assemble(size_t i) {
  current_ = i;
  unsure_ = failed_ = false;
  line_.clear();
  try {
    run(parseStatement(tokens(i), statements_[i].firstOfLine));
  } catch (const AsmError& e) {
    if (pass_ == 2) report(e.what(), e.at() ? e.at() : tokens(i).first);
    unsure_ = true;
  }
}

void Assembly::run(const Statement& s) {
  if (s.label && s.kind != Statement::Kind::Equ) defineLabel(*s.label);
  // TASM takes a name in the first column for a label, even an instruction's.
  if (s.labelInFirstColumn && s.kind != Statement::Kind::Equ && isMnemonic(s.label->text))
    warn(std::string(s.label->text) + " in the first column is a label; indent instructions",
         *s.label);
  switch (s.kind) {
  case Statement::Kind::Empty:
    return;
  case Statement::Kind::Equ:
    if (!s.label)
      throw AsmError(std::string(s.keyword->text) + " needs a name before it", s.keyword);
    return defineEquate(s);
  case Statement::Kind::Directive:
    return directive(*s.keyword, s.operands);
  case Statement::Kind::Instruction:
    break;
  }
  if (addedInstruction(*s.keyword, s.operands)) return;
  splitOperands(s.operands, operands_);
  buffer_.clear();
  if (!encode(*s.keyword, operands_, static_cast<std::uint16_t>(pc_), *this, buffer_))
    throw AsmError("unknown instruction " + std::string(s.keyword->text), s.keyword);
  emit(buffer_.data(), buffer_.size());
}

void Assembly::checkName(const Token& name, const char* what) {
  if (isRegisterName(name.text))
    throw AsmError(std::string(name.text) + " is the name of a register or a condition, so it " +
                       "can't be " + what,
                   &name);
}

void Assembly::defineLabel(const Token& name) {
  const auto value = static_cast<std::int32_t>(pc_);
  if (name.text == "_") return symbols_.anonymous(current_, value);
  checkName(name, "a label");
  bool fresh = false;
  Symbol& sym = symbols_.insert(name.text, fresh);
  if (fresh) {
    sym.value = value, sym.label = true, sym.statement = current_;
    lastLabel_ = {std::string(name.text), value, current_};
    return;
  }
  if (sym.statement == current_) { // the same statement again, in the second pass
    if (sym.value != value && errors_ == 0)
      report("label " + std::string(name.text) + " moved from " + std::to_string(sym.value) +
                 " to " + std::to_string(value) +
                 " between the passes: a value it depends on is defined after it is used",
             &name);
    sym.value = value;
    return;
  }
  if (pass_ == 1) duplicate(name, sym); // the second pass has said so already
}

void Assembly::duplicate(const Token& name, const Symbol& first) {
  const Where& where = *statements_[first.statement].where;
  report((first.label ? "duplicate label " : "duplicate symbol ") + std::string(name.text) +
             " (first defined at " + *where.file + ":" + std::to_string(where.line) + ")",
         &name);
}

// A label right before an included picture, at its address, gets the picture's size:
// LABEL_WIDTH and LABEL_HEIGHT.
void Assembly::pictureSize(const Line& line) {
  if (lastLabel_.name.empty() || lastLabel_.statement + 1 != statements_.size() ||
      lastLabel_.value != static_cast<std::int32_t>(pc_))
    return;
  for (const auto& [suffix, value] :
       {std::pair{"_WIDTH", line.pictureWidth}, std::pair{"_HEIGHT", line.pictureHeight}}) {
    bool fresh = false;
    Symbol& sym = symbols_.insert(lastLabel_.name + suffix, fresh);
    if (!fresh) continue; // the source has one of its own
    sym.value = value, sym.statement = lastLabel_.statement;
  }
}

// A .equ whose value is not known yet is worked out where it is first used; one that can
// never be is an error only where it is used, and a warning here says why.
void Assembly::defineEquate(const Statement& s) {
  const Token& name = *s.label;
  checkName(name, "a symbol");
  bool fresh = false;
  Symbol& sym = symbols_.insert(name.text, fresh);
  if (!fresh && sym.statement != current_ && (sym.label || sym.state != Symbol::State::Known)) {
    if (pass_ == 1) duplicate(name, sym);
    return;
  }
  sym.working = true;
  Value v;
  try {
    v = tavasm::evaluate(s.operands, *this);
  } catch (...) {
    sym.working = false;
    throw;
  }
  sym.working = false;
  if (!fresh && sym.statement != current_) { // the same value again is no conflict
    if (pass_ == 1 && !(v.known && sym.value == v.value)) duplicate(name, sym);
    return;
  }
  sym.statement = current_;
  if (v.known) {
    sym.state = Symbol::State::Known, sym.value = v.value;
    return;
  }
  unsure_ = true;
  if (pass_ == 1) {
    sym.state = Symbol::State::Pending;
    return;
  }
  sym.state = Symbol::State::Failed;
  sym.failure = whyNoValue(*v.undefined);
  warn(looksHexadecimal(v.undefined->text)
           ? sym.failure
           : std::string(name.text) + " has no value: " + sym.failure,
       *v.undefined);
}

// Why a .equ has no value: the hint for a hexadecimal number written as a name, or the name
// it lacks.
std::string Assembly::whyNoValue(const Token& missing) {
  if (missing.kind != T::Name || missing.text == "_")
    return "there is no anonymous label there for " + std::string(missing.text) + "_";
  if (looksHexadecimal(missing.text))
    return std::string(missing.text) +
           " is read as a name: a hexadecimal number begins with a digit (0" +
           std::string(missing.text) + ")";
  const Symbol* other = symbols_.find(missing.text);
  if (other && other->state != Symbol::State::Known)
    return std::string(missing.text) + " has no value either";
  return std::string(missing.text) + " is not defined";
}

std::optional<std::int32_t> Assembly::resolve(Symbol& sym) {
  if (sym.working) return std::nullopt; // a circle: a = b, b = a
  const size_t savedCurrent = current_;
  const std::uint32_t savedPc = pc_;
  current_ = sym.statement;
  pc_ = statements_[sym.statement].address;
  sym.working = true;
  Value v;
  v.known = false;
  try {
    const Statement s =
        parseStatement(tokens(sym.statement), statements_[sym.statement].firstOfLine);
    v = tavasm::evaluate(s.operands, *this);
  } catch (const AsmError&) {
    v.known = false; // the .equ itself reports it
  }
  sym.working = false;
  current_ = savedCurrent;
  pc_ = savedPc;
  if (!v.known) return std::nullopt;
  sym.state = Symbol::State::Known;
  sym.value = v.value;
  return v.value;
}

std::optional<std::int32_t> Assembly::symbol(const Token& name) {
  // Values worked out when first needed may need others in turn: the chain is kept short
  // enough for the stack.
  if (depth_ >= kMaxChain)
    throw AsmError("values defined by names further on nest deeper than " +
                       std::to_string(kMaxChain) + ": " + std::string(name.text),
                   &name);
  ++depth_;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{depth_};
  if (Symbol* sym = symbols_.find(name.text)) {
    if (sym->state == Symbol::State::Known) return sym->value;
    if (sym->state == Symbol::State::Pending) return resolve(*sym);
    return std::nullopt;
  }
  // A #define further down the file: its value, read as an expression.
  const Macro* m = pre_->macros().find(name.text);
  if (!m || m->function || m->multiLine || m->body.empty() ||
      std::find(lateDefines_.begin(), lateDefines_.end(), m) != lateDefines_.end())
    return std::nullopt;
  lateDefines_.push_back(m);
  std::optional<std::int32_t> result;
  try {
    const Value v = tavasm::evaluate({m->body.data(), m->body.data() + m->body.size()}, *this);
    if (v.known) result = v.value;
  } catch (const AsmError&) {
  }
  lateDefines_.pop_back();
  return result;
}

std::optional<std::int32_t> Assembly::anonymous(int offset) {
  return symbols_.anonymousFrom(current_, offset);
}

Arg Assembly::evaluate(Span expression) {
  const Value v = tavasm::evaluate(expression, *this);
  if (!v.known) {
    unsure_ = true;
    if (pass_ == 2) {
      const Token& missing = *v.undefined;
      if (missing.kind != T::Name || missing.text == "_")
        throw AsmError("no anonymous label there for " + spelling(expression), &missing);
      const Symbol* sym = symbols_.find(missing.text);
      if (sym && sym->state == Symbol::State::Failed)
        throw AsmError(std::string(missing.text) + " has no value: " + sym->failure, &missing);
      throw AsmError("undefined symbol " + std::string(missing.text), &missing);
    }
  }
  return {v.value, v.known};
}

// A value that must be known in the first pass, where it places code.
std::int32_t Assembly::known(Span expression, const char* what) {
  const Value v = tavasm::evaluate(expression, *this);
  if (!v.known) {
    if (pass_ == 2)
      throw AsmError(std::string(what) + " uses " + std::string(v.undefined->text) +
                         ", which is not defined before it",
                     &*v.undefined);
    layoutUnsure_ = true;
    throw AsmError("not known yet");
  }
  return v.value;
}

void Assembly::emit(const std::uint8_t* bytes, size_t size) {
  size_t fits = size;
  if (pc_ + size > kMemorySize) {
    fits = pc_ < kMemorySize ? kMemorySize - pc_ : 0;
    unsure_ = true; // redone in the second pass, which reports it
    if (pass_ == 2 && !overflowReported_) {
      overflowReported_ = true;
      report("the program runs past address FFFFh", tokens(current_).first);
    }
  }
  // .org may move back, so the bytes made may outgrow the memory while no address does.
  if (made_ + fits > kMemorySize) {
    fits = made_ < kMemorySize ? kMemorySize - made_ : 0;
    unsure_ = true;
    if (pass_ == 2 && !sizeReported_) {
      sizeReported_ = true;
      report("the program is larger than 64 KB, the whole memory", tokens(current_).first);
    }
  }
  made_ += fits;
  if (pass_ == 1)
    line_.insert(line_.end(), bytes, bytes + fits);
  else
    image_.add(current_, pc_, bytes, fits);
  pc_ += static_cast<std::uint32_t>(size);
}

void Assembly::report(const std::string& text, const Token* at, bool error) {
  keep(messageAt(*statements_[current_].where, at, error, text), current_);
  if (error) failed_ = true;
}

void Assembly::warn(const std::string& text, const Token& at) {
  report(text, &at, false);
}

Program assemble(const std::string& path, SourceFiles& files, const Options& options) {
  return Assembly(files, options).run(path);
}

std::string report(const Program& program, const std::string& source) {
  std::string out;
  for (const auto& m : program.messages)
    out += format(m) + "\n";
  if (program.moreErrors > 0)
    out += format(Message{source,
                          0,
                          0,
                          true,
                          std::to_string(program.moreErrors) + " more " +
                              (program.moreErrors == 1 ? "error is" : "errors are") +
                              " not shown: the first " + std::to_string(kMaxErrors) + " are above",
                          {},
                          {}}) +
           "\n";
  return out;
}

} // namespace tavasm
