#include "asm/assembler.h"

#include "asm/asm_error.h"
#include "asm/expression.h"
#include "asm/preprocessor.h"
#include "asm/text_scan.h"
#include "asm/z80_encoder.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <unordered_map>

namespace tavasm {

bool Program::ok() const {
  return std::none_of(messages.begin(), messages.end(), [](const Message& m) { return m.error; });
}

std::string format(const Message& m) {
  return m.file + (m.line > 0 ? ":" + std::to_string(m.line) : "") +
         (m.error ? ": error: " : ": warning: ") + m.text;
}

namespace {

constexpr std::uint32_t kMemorySize = 0x10000;

// Splits at `separator` outside quotes and parentheses, into `parts`.
void splitInto(std::vector<std::string_view>& parts, std::string_view s, char separator,
               bool keepEmptyTail = false) {
  parts.clear();
  size_t start = 0;
  int depth = 0;
  for (size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (c == '"' || opensCharConstant(s, i)) {
      i = skipQuoted(s, i);
      continue;
    }
    if (c == '(')
      ++depth;
    else if (c == ')' && depth > 0)
      --depth;
    else if (c == separator && (depth == 0 || separator == '\\')) {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
    ++i;
  }
  if (start < s.size() || keepEmptyTail) parts.push_back(s.substr(start));
}

std::vector<std::string_view> split(std::string_view s, char separator,
                                    bool keepEmptyTail = false) {
  std::vector<std::string_view> parts;
  splitInto(parts, s, separator, keepEmptyTail);
  return parts;
}

size_t wordEnd(std::string_view s, size_t from) {
  while (from < s.size() && isWordChar(s[from]))
    ++from;
  return from;
}

// An instruction added with .addinstr: its name, its operand pattern ('*' stands for a
// value), the opcode bytes and the instruction's whole size.
struct AddedInstruction {
  std::string pattern;
  std::vector<std::uint8_t> opcode;
  int size = 0;
};

// The text with the blanks outside quotes removed, for matching operand patterns.
std::string withoutBlanks(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    if (s[i] == '"' || opensCharConstant(s, i)) {
      const size_t e = skipQuoted(s, i);
      out.append(s, i, e - i);
      i = e;
    } else {
      if (!isSpace(s[i])) out += s[i];
      ++i;
    }
  }
  return out;
}

// Matches `text` against a pattern of literal characters and '*'s; the values go to `values`.
bool matchPattern(std::string_view pattern, std::string_view text,
                  std::vector<std::string_view>& values) {
  size_t t = 0;
  for (size_t p = 0; p < pattern.size(); ++p) {
    if (pattern[p] != '*') {
      if (t >= text.size() || lower(text[t]) != pattern[p]) return false;
      ++t;
      continue;
    }
    size_t end = text.size();
    if (p + 1 < pattern.size()) {
      end = text.rfind(static_cast<char>(pattern[p + 1]));
      if (end == std::string_view::npos || end <= t) return false;
    }
    if (end == t) return false;
    values.push_back(text.substr(t, end - t));
    t = end;
  }
  return t == text.size();
}

struct Pending {
  Message message;
  size_t seq; // the line it belongs to, in the order lines were read
};

class Assembly : public Symbols, public Evaluator {
public:
  Assembly(SourceFiles& files, const Options& options) : files_(files), options_(options) {}

  Program run(const std::string& path);

  std::optional<std::int32_t> symbol(std::string_view name) override {
    auto it = symbols_.find(lowered(name));
    if (it == symbols_.end()) return std::nullopt;
    return it->second.value;
  }
  std::optional<std::int32_t> anonymous(int offset) override {
    auto after = std::upper_bound(anonymous_.begin(), anonymous_.end(), seq_,
                                  [](size_t seq, const auto& a) { return seq < a.first; });
    const std::ptrdiff_t index = (after - anonymous_.begin()) + (offset < 0 ? offset : offset - 1);
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(anonymous_.size())) return std::nullopt;
    return anonymous_[static_cast<size_t>(index)].second;
  }
  std::int32_t here() override { return static_cast<std::int32_t>(pc_); }

  Arg evaluate(std::string_view expression) override {
    const Value v = tavasm::evaluate(expression, *this);
    if (!v.known) lineUnsure_ = true;
    if (!v.known && pass_ == 2) {
      if (v.undefined == "_")
        throw AsmError("no anonymous label there for " + std::string(trimmed(expression)));
      throw AsmError("undefined symbol " + v.undefined);
    }
    return {v.value, v.known};
  }

private:
  struct Symbol {
    std::int32_t value = 0;
    size_t seq = 0; // the line that defines it
    bool label = false;
  };

  void pass(int number);
  void keepFirstPass();
  void assembleLine(size_t seq);
  void statement(std::string_view s, bool first);
  void define(std::string_view name, std::int32_t value, bool label);
  void directive(const std::string& name, std::string_view operands);
  void instruction(const std::string& name, std::string_view operands);
  void addInstruction(std::string_view operands);
  void data(std::string_view operands, int width);
  std::int32_t known(std::string_view expression, const char* what);
  void emit(const std::vector<std::uint8_t>& bytes);
  void emitByte(std::uint8_t b);
  void report(const std::string& text, bool error = true);
  int errorCount() const { return errors_; }

  SourceFiles& files_;
  const Options& options_;
  // The lines read, their texts one after another in text_, so that the second pass reads
  // them again without a string for each.
  struct StoredLine {
    const std::string* file;
    int line;
    size_t at, size;
  };
  std::vector<StoredLine> lines_;
  std::string text_;
  std::vector<std::uint32_t> lineStart_; // the location counter at each line in the first pass
  std::vector<std::uint32_t> lineEnd_;   // and after it
  std::vector<bool> done_;               // the line's bytes are final after the first pass
  struct KeptBytes {
    size_t seq;
    std::uint32_t address;
    size_t at, size; // in keptBytes_
  };
  std::vector<KeptBytes> firstPassBytes_;
  std::vector<std::uint8_t> keptBytes_;
  std::vector<std::uint8_t> lineBytes_; // what the line being read wrote, from lineBytesAt_
  std::uint32_t lineBytesAt_ = 0;
  bool lineUnsure_ = false;   // a value on the line was not known yet, or it failed
  bool layoutUnsure_ = false; // a value that places code was not known in the first pass
  std::vector<Pending> pending_;
  std::unordered_map<std::string, Symbol> symbols_;
  std::unordered_multimap<std::string, AddedInstruction> added_;
  std::vector<std::pair<size_t, std::int32_t>> anonymous_; // (line, address), in line order
  std::vector<std::uint8_t> memory_ = std::vector<std::uint8_t>(kMemorySize);
  std::uint32_t low_ = kMemorySize, high_ = 0; // the bytes written: [low_, high_)
  std::vector<std::string> echoes_;
  std::vector<std::uint8_t> buffer_;
  std::vector<std::string_view> operands_;
  int pass_ = 1;
  std::uint32_t pc_ = 0;
  size_t seq_ = 0;
  bool ended_ = false;
  bool lineFailed_ = false;
  bool overflowReported_ = false;
  int errors_ = 0;
};

void Assembly::report(const std::string& text, bool error) {
  const StoredLine& l = lines_[seq_];
  pending_.push_back({{*l.file, l.line, error, text}, seq_});
  if (error) {
    ++errors_;
    lineFailed_ = true;
  }
}

Program Assembly::run(const std::string& path) {
  std::vector<Message> preprocessorMessages;
  Preprocessor pre(files_, options_, preprocessorMessages);
  pre.start(path);
  SourceLine line;
  for (;;) {
    const bool more = !ended_ && pre.next(line);
    for (auto& m : preprocessorMessages) {
      pending_.push_back({std::move(m), lines_.size()});
      if (pending_.back().message.error) ++errors_;
    }
    preprocessorMessages.clear();
    if (!more || errors_ >= kMaxErrors) break;
    lines_.push_back({line.file, line.line, text_.size(), line.text.size()});
    text_ += line.text;
    lineStart_.push_back(pc_);
    seq_ = lines_.size() - 1;
    lineUnsure_ = lineFailed_ = false;
    lineBytes_.clear();
    assembleLine(seq_);
    keepFirstPass();
  }
  if (errors_ < kMaxErrors) pass(2);

  Program program;
  std::stable_sort(pending_.begin(), pending_.end(),
                   [](const Pending& a, const Pending& b) { return a.seq < b.seq; });
  std::set<std::tuple<std::string, int, std::string>> seen;
  int errors = 0;
  for (auto& p : pending_) {
    if (!seen.insert({p.message.file, p.message.line, p.message.text}).second) continue;
    if (p.message.error && ++errors > kMaxErrors) continue;
    program.messages.push_back(std::move(p.message));
  }
  if (high_ > low_) {
    program.origin = low_;
    program.bytes.assign(memory_.begin() + low_, memory_.begin() + high_);
  }
  program.echoes = std::move(echoes_);
  return program;
}

// A line whose values were all known in the first pass has its final bytes already; the
// second pass writes them and moves on, unless a layout value (.org, .block) was not known.
void Assembly::keepFirstPass() {
  const bool done = !lineUnsure_ && !lineFailed_;
  done_.push_back(done);
  lineEnd_.push_back(pc_);
  if (done && !lineBytes_.empty()) {
    firstPassBytes_.push_back({seq_, lineBytesAt_, keptBytes_.size(), lineBytes_.size()});
    keptBytes_.insert(keptBytes_.end(), lineBytes_.begin(), lineBytes_.end());
  }
}

void Assembly::pass(int number) {
  if (layoutUnsure_) std::fill(done_.begin(), done_.end(), false);
  for (const auto& kept : layoutUnsure_ ? std::vector<KeptBytes>{} : firstPassBytes_) {
    seq_ = kept.seq;
    pc_ = kept.address;
    for (size_t i = 0; i < kept.size; ++i)
      emitByte(keptBytes_[kept.at + i]);
  }
  pass_ = number;
  pc_ = 0;
  ended_ = false;
  errors_ = 0;
  lineFailed_ = false;
  for (const auto& p : pending_)
    errors_ += p.message.error;
  for (seq_ = 0; seq_ < lines_.size() && !ended_ && errors_ < kMaxErrors; ++seq_) {
    if (lineFailed_) pc_ = lineStart_[seq_]; // a failed line leaves the first pass's layout
    lineFailed_ = false;
    if (done_[seq_]) {
      pc_ = lineEnd_[seq_];
      continue;
    }
    assembleLine(seq_);
  }
}

void Assembly::assembleLine(size_t seq) {
  const std::string_view text = std::string_view(text_).substr(lines_[seq].at, lines_[seq].size);
  if (trimmed(text).empty()) return;
  auto run = [&](std::string_view s, bool first) {
    try {
      statement(s, first);
    } catch (const AsmError& e) {
      if (pass_ == 2) report(e.what());
      lineUnsure_ = true;
    }
  };
  if (text.find('\\') == std::string_view::npos) return run(text, true);
  const auto statements = split(text, '\\');
  for (size_t i = 0; i < statements.size() && !ended_; ++i)
    run(statements[i], i == 0);
}

void Assembly::statement(std::string_view s, bool first) {
  std::string_view label;
  std::string_view rest;
  if (first && !s.empty() && !isSpace(s[0]) && s[0] != '.' && s[0] != '#') {
    const size_t e = wordEnd(s, 0);
    label = s.substr(0, e);
    if (label.empty() || isDigit(label[0]))
      throw AsmError("\"" + std::string(trimmed(s)) +
                     "\" starts in the first column, where a label goes; a label begins with a "
                     "letter or _, and "
                     "instructions are indented");
    rest = s.substr(e);
    if (!rest.empty() && rest[0] == ':') rest = rest.substr(1);
  } else {
    rest = trimmed(s);
    const size_t e = wordEnd(rest, 0);
    if (e > 0 && e < rest.size() && rest[e] == ':' && !isDigit(rest[0]) && rest[0] != '.') {
      label = rest.substr(0, e);
      rest = rest.substr(e + 1);
    }
  }
  rest = trimmed(rest);
  const size_t e = wordEnd(rest, 0);
  const std::string word = lowered(rest.substr(0, e));
  const std::string_view operands = trimmed(rest.substr(e));
  if (!label.empty()) {
    if (!rest.empty() && rest[0] == '=')
      return define(label, known(rest.substr(1), "a value set with ="), false);
    if (word == ".equ" || word == "equ") return define(label, known(operands, ".equ"), false);
    define(label, static_cast<std::int32_t>(pc_), true);
  }
  if (rest.empty()) return;
  if (word.empty()) throw AsmError("\"" + std::string(rest) + "\" is no instruction");
  if (word[0] == '.') return directive(word, operands);
  instruction(word, operands);
}

// A value that must be known in the first pass, where it decides the layout.
std::int32_t Assembly::known(std::string_view expression, const char* what) {
  const Value v = tavasm::evaluate(expression, *this);
  if (!v.known) {
    if (pass_ == 2)
      throw AsmError(std::string(what) + " uses " + v.undefined +
                     ", which is not defined before it");
    layoutUnsure_ = true;
    throw AsmError("not known yet");
  }
  return v.value;
}

void Assembly::define(std::string_view name, std::int32_t value, bool label) {
  if (name == "_") {
    if (pass_ == 1) anonymous_.push_back({seq_, value});
    return;
  }
  const std::string key = lowered(name);
  auto [it, fresh] = symbols_.try_emplace(key, Symbol{value, seq_, label});
  if (fresh) return;
  Symbol& sym = it->second;
  if (sym.seq == seq_) { // the same line again, in the second pass
    if (sym.value != value && errorCount() == 0)
      report("label " + std::string(name) + " moved from " + std::to_string(sym.value) + " to " +
             std::to_string(value) +
             " between the passes: a value it depends on is defined after it is used");
    sym.value = value;
    return;
  }
  if (pass_ == 2 || (!label && !sym.label && sym.value == value)) return;
  const StoredLine& first = lines_[sym.seq];
  report((label ? "duplicate label " : "duplicate symbol ") + std::string(name) +
         " (first defined at " + *first.file + ":" + std::to_string(first.line) + ")");
}

void Assembly::emitByte(std::uint8_t b) {
  if (pc_ >= kMemorySize) {
    if (!overflowReported_) report("the program runs past address FFFFh");
    overflowReported_ = true;
    return;
  }
  memory_[pc_] = b;
  low_ = std::min(low_, pc_);
  high_ = std::max(high_, pc_ + 1);
  ++pc_;
}

void Assembly::emit(const std::vector<std::uint8_t>& bytes) {
  if (pass_ == 1) {
    if (lineBytes_.empty())
      lineBytesAt_ = pc_;
    else if (lineBytesAt_ + lineBytes_.size() != pc_)
      lineUnsure_ = true; // not in one piece
    lineBytes_.insert(lineBytes_.end(), bytes.begin(), bytes.end());
    pc_ += static_cast<std::uint32_t>(bytes.size());
    return;
  }
  for (auto b : bytes)
    emitByte(b);
}

void Assembly::data(std::string_view operands, int width) {
  buffer_.clear();
  const auto items = split(operands, ',', true);
  if (operands.empty()) throw AsmError("missing values");
  for (std::string_view item : items) {
    item = trimmed(item);
    if (item.empty()) throw AsmError("missing value between commas");
    if (item[0] == '"') {
      const size_t end = skipQuoted(item, 0);
      if (end != item.size() || item.size() < 2 || item.back() != '"')
        throw AsmError("unclosed string: " + std::string(item));
      for (size_t i = 1; i + 1 < item.size(); ++i) {
        const char c = item[i] == '\\' ? unescape(item[++i]) : item[i];
        buffer_.push_back(static_cast<std::uint8_t>(c));
        if (width == 2) buffer_.push_back(0);
      }
      continue;
    }
    const std::int32_t v = width == 1 ? evaluateInRange(*this, item, -128, 255, "a byte")
                                      : evaluateInRange(*this, item, -32768, 65535, "a word");
    buffer_.push_back(static_cast<std::uint8_t>(v));
    if (width == 2) buffer_.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  emit(buffer_);
}

void Assembly::directive(const std::string& name, std::string_view operands) {
  if (name == ".db" || name == ".byte" || name == ".text") return data(operands, 1);
  if (name == ".dw" || name == ".word") return data(operands, 2);
  if (name == ".org") {
    const std::int32_t v = known(operands, ".org");
    if (v < 0 || v > 0xFFFF)
      throw AsmError(".org " + std::to_string(v) + " is outside the memory (0..FFFFh)");
    pc_ = static_cast<std::uint32_t>(v);
    return;
  }
  if (name == ".end") {
    ended_ = true;
    return;
  }
  if (name == ".block" || name == ".fill") {
    const auto parts = split(operands, ',');
    if (parts.empty() || parts.size() > (name == ".fill" ? 2u : 1u))
      throw AsmError(name + " takes a count" + (name == ".fill" ? " and a value" : ""));
    const std::int32_t n = known(parts[0], name.c_str());
    if (n < 0 || n > static_cast<std::int32_t>(kMemorySize))
      throw AsmError(name + " of " + std::to_string(n) + " bytes");
    if (name == ".block") {
      pc_ += static_cast<std::uint32_t>(n);
      return;
    }
    std::int32_t fill = 0;
    if (parts.size() == 2) fill = evaluateInRange(*this, parts[1], -128, 255, "a byte");
    emit(std::vector<std::uint8_t>(static_cast<size_t>(n), static_cast<std::uint8_t>(fill)));
    return;
  }
  if (name == ".echo") {
    lineUnsure_ = true; // it prints in the second pass
    if (pass_ != 2) return;
    std::string out;
    for (std::string_view item : split(operands, ',')) {
      item = trimmed(item);
      if (!item.empty() && item[0] == '"') {
        for (size_t i = 1; i + 1 < item.size(); ++i)
          out += item[i] == '\\' ? unescape(item[++i]) : item[i];
      } else {
        out += std::to_string(evaluate(item).value);
      }
    }
    echoes_.push_back(out);
    return;
  }
  if (name == ".addinstr") return addInstruction(operands);
  static const std::set<std::string> kIgnored = {".list",  ".nolist", ".module", ".title",
                                                 ".eject", ".page",   ".codes",  ".nocodes"};
  if (kIgnored.count(name)) return;
  if (name == ".equ") throw AsmError(".equ needs a name before it");
  throw AsmError("unknown directive " + name);
}

// .addinstr NAME OPERANDS OPCODE SIZE RULE [CLASS]: the table line of another assembler,
// of which the NOP rule (the opcode, then the value) is what sources use.
void Assembly::addInstruction(std::string_view operands) {
  std::vector<std::string> fields;
  for (size_t i = 0; i < operands.size();) {
    while (i < operands.size() && isSpace(operands[i]))
      ++i;
    size_t e = i;
    while (e < operands.size() && !isSpace(operands[e]))
      ++e;
    if (e > i) fields.emplace_back(operands.substr(i, e - i));
    i = e;
  }
  if (fields.size() < 5) throw AsmError(".addinstr takes a name, operands, opcode, size and rule");
  if (!equalsNoCase(fields[4], "nop"))
    throw AsmError(".addinstr: only the NOP rule is supported, not " + fields[4]);
  AddedInstruction added;
  added.pattern = lowered(fields[1] == "\"\"" ? "" : fields[1]);
  std::string hex = fields[2];
  if (hex.size() % 2) hex = "0" + hex;
  for (size_t i = 0; i < hex.size(); i += 2) {
    const std::string pair = hex.substr(i, 2);
    if (pair.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      throw AsmError(".addinstr: bad opcode " + fields[2]);
    added.opcode.push_back(static_cast<std::uint8_t>(std::stoi(pair, nullptr, 16)));
  }
  if (fields[3].find_first_not_of("0123456789") != std::string::npos || fields[3].size() > 2)
    throw AsmError(".addinstr: bad size " + fields[3]);
  added.size = std::stoi(fields[3]);
  if (added.size < static_cast<int>(added.opcode.size()) || added.size > 8)
    throw AsmError(".addinstr: size " + fields[3] + " does not fit the opcode");
  if (pass_ != 1) return;
  added_.emplace(lowered(fields[0]), std::move(added));
}

void Assembly::instruction(const std::string& name, std::string_view operands) {
  auto range =
      added_.empty() ? std::make_pair(added_.end(), added_.end()) : added_.equal_range(name);
  if (range.first != range.second) {
    const std::string text = withoutBlanks(operands);
    for (auto it = range.first; it != range.second; ++it) {
      std::vector<std::string_view> values;
      if (!matchPattern(it->second.pattern, text, values)) continue;
      buffer_ = it->second.opcode;
      const size_t rest = static_cast<size_t>(it->second.size) - buffer_.size();
      for (auto v : values) {
        const std::int32_t value = evaluate(v).value;
        for (size_t k = 0; k < rest / values.size(); ++k)
          buffer_.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
      }
      buffer_.resize(static_cast<size_t>(it->second.size), 0);
      return emit(buffer_);
    }
  }
  operands_.clear();
  if (!operands.empty()) splitInto(operands_, operands, ',', true);
  buffer_.clear();
  if (!encode(name, operands_, static_cast<std::uint16_t>(pc_), *this, buffer_))
    throw AsmError("unknown instruction " + name);
  emit(buffer_);
}

} // namespace

Program assemble(const std::string& path, SourceFiles& files, const Options& options) {
  return Assembly(files, options).run(path);
}

} // namespace tavasm
