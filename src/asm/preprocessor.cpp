#include "asm/preprocessor.h"

#include "asm/asm_error.h"
#include "asm/expression.h"
#include "asm/text_scan.h"

#include <algorithm>

namespace tavasm {

struct Preprocessor::Frame {
  const std::string* name = nullptr;
  std::string text;
  size_t at = 0;
  int line = 0; // the line last read
  size_t conditionBase = 0;
};

namespace {

std::string_view firstWord(std::string_view s, size_t& end) {
  size_t b = 0;
  while (b < s.size() && isSpace(s[b]))
    ++b;
  end = b;
  while (end < s.size() && isWordChar(s[end]))
    ++end;
  return s.substr(b, end - b);
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool isAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
         (path.size() > 1 && isLetter(path[0]) && path[1] == ':');
}

// Editors that save UTF-8 may start the file with a byte order mark, which is no text.
size_t byteOrderMarkSize(const std::string& text) {
  return text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
}

// #if sees only macros: a name that is still a name after expansion counts as 0.
class NoSymbols : public Symbols {
public:
  std::optional<std::int32_t> symbol(std::string_view) override { return 0; }
  std::optional<std::int32_t> anonymous(int) override { return 0; }
  std::int32_t here() override { return 0; }
};

} // namespace

Preprocessor::Preprocessor(SourceFiles& files, const Options& options,
                           std::vector<Message>& messages)
    : files_(files), messages_(messages), includeDirs_(options.includeDirs) {
  for (const auto& [name, text] : options.defines) {
    Macro m;
    m.name = name;
    m.body = text;
    longestMacroName_ = std::max(longestMacroName_, name.size());
    macros_[lowered(name)] = std::move(m);
  }
}

Preprocessor::~Preprocessor() = default;

void Preprocessor::start(const std::string& path) {
  auto text = files_.read(path);
  names_.push_back(path);
  if (!text) {
    messages_.push_back({path, 0, true, "can't read the file"});
    return;
  }
  if (text->find('\0') != std::string::npos) {
    messages_.push_back({path, 0, true, "the file holds a NUL byte: it is not a source text"});
    return;
  }
  enter(std::move(*text));
}

// Reads the file named last in names_ from here on, until its end.
void Preprocessor::enter(std::string text) {
  auto frame = std::make_unique<Frame>();
  frame->name = &names_.back();
  frame->at = byteOrderMarkSize(text);
  frame->text = std::move(text);
  frame->conditionBase = conditions_.size();
  frames_.push_back(std::move(frame));
}

void Preprocessor::error(const Frame& frame, const std::string& text) {
  messages_.push_back({*frame.name, frame.line, true, text});
}

bool Preprocessor::taking() const {
  return conditions_.empty() || conditions_.back().taking;
}

bool Preprocessor::next(SourceLine& out) {
  while (!frames_.empty()) {
    Frame& f = *frames_.back();
    if (f.at >= f.text.size()) {
      endOfFile(f);
      frames_.pop_back();
      continue;
    }
    size_t end = f.text.find('\n', f.at);
    if (end == std::string::npos) end = f.text.size();
    std::string_view raw(f.text.data() + f.at, end - f.at);
    f.at = end + 1;
    ++f.line;
    raw = raw.substr(0, commentStart(raw));
    const std::string_view body = trimmed(raw);
    if (!body.empty() && body[0] == '#') {
      directive(f, body.substr(1));
      continue;
    }
    if (!taking()) continue;
    expand(raw, out.text);
    if (!expansionError_.empty()) {
      error(f, expansionError_);
      expansionError_.clear();
      continue;
    }
    out.file = f.name;
    out.line = f.line;
    return true;
  }
  return false;
}

void Preprocessor::endOfFile(Frame& frame) {
  while (conditions_.size() > frame.conditionBase) {
    messages_.push_back({*frame.name, conditions_.back().line, true, "#if without #endif"});
    conditions_.pop_back();
  }
}

void Preprocessor::directive(Frame& frame, std::string_view text) {
  size_t end = 0;
  const std::string name = lowered(firstWord(text, end));
  const std::string_view rest = trimmed(text.substr(end));
  const bool outer = taking();

  if (name == "ifdef" || name == "ifndef" || name == "if") {
    Condition c;
    c.outerTaking = outer;
    c.line = frame.line;
    if (outer) {
      if (name == "if")
        c.taking = condition(frame, rest);
      else {
        size_t e = 0;
        const bool defined = macros_.count(lowered(firstWord(rest, e))) > 0;
        c.taking = (name == "ifdef") == defined;
      }
    }
    c.anyTaken = c.taking;
    conditions_.push_back(c);
    return;
  }
  if (name == "else" || name == "endif") {
    if (conditions_.size() <= frame.conditionBase) {
      error(frame, "#" + name + " without #if");
      return;
    }
    Condition& c = conditions_.back();
    if (name == "endif") {
      conditions_.pop_back();
      return;
    }
    if (c.seenElse) {
      error(frame, "a second #else for one #if");
      return;
    }
    c.seenElse = true;
    c.taking = c.outerTaking && !c.anyTaken;
    c.anyTaken = true;
    return;
  }
  if (!outer) return;

  if (name == "define")
    define(frame, rest);
  else if (name == "defcont") {
    if (!lastDefined_)
      error(frame, "#defcont without a #define before it");
    else
      lastDefined_->body += " " + std::string(rest);
  } else if (name == "undefine" || name == "undef") {
    size_t e = 0;
    const std::string key = lowered(firstWord(rest, e));
    auto it = macros_.find(key);
    if (it != macros_.end()) {
      if (lastDefined_ == &it->second) lastDefined_ = nullptr;
      macros_.erase(it);
    }
  } else if (name == "include")
    include(frame, rest);
  else
    error(frame, "unknown directive #" + name);
}

void Preprocessor::define(Frame& frame, std::string_view rest) {
  size_t end = 0;
  const std::string_view name = firstWord(rest, end);
  if (name.empty() || isDigit(name[0])) {
    error(frame, "#define needs a name");
    return;
  }
  Macro m;
  m.name = std::string(name);
  if (end < rest.size() && rest[end] == '(') {
    m.function = true;
    const size_t close = rest.find(')', end);
    if (close == std::string_view::npos) {
      error(frame, "missing ')' after the parameters of " + m.name);
      return;
    }
    std::string_view params = rest.substr(end + 1, close - end - 1);
    while (!trimmed(params).empty()) {
      const size_t comma = params.find(',');
      const std::string_view p = trimmed(params.substr(0, comma));
      if (p.empty() || !std::all_of(p.begin(), p.end(), isWordChar)) {
        error(frame, "bad parameter '" + std::string(p) + "' in #define " + m.name);
        return;
      }
      m.params.push_back(lowered(p));
      if (comma == std::string_view::npos) break;
      params = params.substr(comma + 1);
    }
    end = close + 1;
  }
  m.body = std::string(trimmed(rest.substr(end)));
  longestMacroName_ = std::max(longestMacroName_, name.size());
  Macro& stored = macros_[lowered(name)] = std::move(m);
  lastDefined_ = &stored;
}

void Preprocessor::include(Frame& frame, std::string_view rest) {
  std::string name(rest);
  if (name.size() >= 2 &&
      ((name.front() == '"' && name.back() == '"') || (name.front() == '<' && name.back() == '>')))
    name = name.substr(1, name.size() - 2);
  if (name.empty()) {
    error(frame, "#include needs a file name");
    return;
  }
  std::replace(name.begin(), name.end(), '\\', '/');
  if (static_cast<int>(frames_.size()) >= kMaxIncludeDepth) {
    error(frame, "includes nest deeper than " + std::to_string(kMaxIncludeDepth) +
                     " files: " + includeChain() + " -> " + name);
    return;
  }
  std::vector<std::string> folders;
  if (!isAbsolute(name)) {
    folders.push_back(folderOf(*frame.name));
    for (const auto& dir : includeDirs_)
      folders.push_back(dir.empty() || dir.back() == '/' || dir.back() == '\\'
                            ? dir
                            : dir + (dir.find('\\') != std::string::npos ? "\\" : "/"));
  } else {
    folders.push_back("");
  }
  for (const auto& folder : folders) {
    const std::string path = folder + name;
    auto text = files_.read(path);
    if (!text) continue;
    if (text->find('\0') != std::string::npos) {
      error(frame, "\"" + path + "\" holds a NUL byte: it is not a source text");
      return;
    }
    names_.push_back(path);
    enter(std::move(*text));
    return;
  }
  std::string where;
  for (const auto& folder : folders)
    where += (where.empty() ? "" : ", ") + (folder.empty() ? "." : folder);
  error(frame, "can't find include file \"" + name + "\"; looked in " + where);
}

std::string Preprocessor::includeChain() const {
  std::string chain;
  for (const auto& f : frames_)
    chain += (chain.empty() ? "" : " -> ") + *f->name;
  return chain;
}

bool Preprocessor::condition(Frame& frame, std::string_view expr) {
  std::string text;
  expand(expr, text);
  if (!expansionError_.empty()) {
    error(frame, expansionError_);
    expansionError_.clear();
    return false;
  }
  try {
    NoSymbols none;
    return evaluate(text, none).value != 0;
  } catch (const AsmError& e) {
    error(frame, std::string("#if: ") + e.what());
    return false;
  }
}

void Preprocessor::expand(std::string_view text, std::string& out) {
  out.clear();
  if (macros_.empty()) {
    out.assign(text);
    return;
  }
  active_.clear();
  expandInto(out, text, active_);
}

void Preprocessor::fail(const std::string& text) {
  if (expansionError_.empty()) expansionError_ = text;
}

namespace {

// The arguments of a call "(a, b)" that starts at s[at]; `end` is set past the ')'.
bool callArguments(std::string_view s, size_t at, size_t& end,
                   std::vector<std::string_view>& args) {
  int depth = 0;
  size_t start = at + 1;
  for (size_t i = at; i < s.size();) {
    const char c = s[i];
    if (c == '"' || opensCharConstant(s, i)) {
      i = skipQuoted(s, i);
      continue;
    }
    if (c == '(')
      ++depth;
    else if (c == ')' && --depth == 0) {
      args.push_back(trimmed(s.substr(start, i - start)));
      end = i + 1;
      return true;
    } else if (c == ',' && depth == 1) {
      args.push_back(trimmed(s.substr(start, i - start)));
      start = i + 1;
    }
    ++i;
  }
  return false;
}

} // namespace

void Preprocessor::expandInto(std::string& out, std::string_view s,
                              std::vector<const Macro*>& active) {
  for (size_t i = 0; i < s.size() && expansionError_.empty();) {
    const char c = s[i];
    if (c == '"' || opensCharConstant(s, i)) {
      const size_t e = skipQuoted(s, i);
      out.append(s, i, e - i);
      i = e;
      continue;
    }
    if (!isWordChar(c)) {
      out += c;
      ++i;
      continue;
    }
    size_t e = i;
    while (e < s.size() && isWordChar(s[e]))
      ++e;
    const std::string_view word = s.substr(i, e - i);
    const Macro* m = nullptr;
    if (!isDigit(c) && word.size() <= longestMacroName_) {
      auto it = macros_.find(lowered(word));
      if (it != macros_.end()) m = &it->second;
    }
    size_t after = e;
    std::vector<std::string_view> args;
    if (m && m->function) {
      size_t p = e;
      while (p < s.size() && isSpace(s[p]))
        ++p;
      if (p >= s.size() || s[p] != '(' || !callArguments(s, p, after, args)) m = nullptr;
    }
    if (!m) {
      out.append(word);
      i = e;
      continue;
    }
    if (std::find(active.begin(), active.end(), m) != active.end() ||
        static_cast<int>(active.size()) >= kMaxMacroDepth) {
      std::string chain;
      for (const Macro* a : active)
        chain += a->name + " -> ";
      fail((active.size() >= kMaxMacroDepth ? "macros nest too deeply: "
                                            : "macro " + m->name + " expands itself: ") +
           chain + m->name);
      return;
    }
    std::string body;
    if (m->function) {
      if (args.size() == 1 && args[0].empty() && m->params.empty()) args.clear();
      if (args.size() != m->params.size()) {
        fail("macro " + m->name + " takes " + std::to_string(m->params.size()) +
             " argument(s), given " + std::to_string(args.size()));
        return;
      }
      const std::string_view b = m->body;
      for (size_t k = 0; k < b.size();) {
        if (b[k] == '"' || opensCharConstant(b, k)) {
          const size_t q = skipQuoted(b, k);
          body.append(b, k, q - k);
          k = q;
        } else if (isWordChar(b[k])) {
          size_t q = k;
          while (q < b.size() && isWordChar(b[q]))
            ++q;
          const std::string_view w = b.substr(k, q - k);
          size_t p = 0;
          while (p < m->params.size() && !equalsNoCase(m->params[p], w))
            ++p;
          if (p < m->params.size())
            body.append(args[p]);
          else
            body.append(w);
          k = q;
        } else {
          body += b[k++];
        }
      }
    } else {
      body = m->body;
    }
    active.push_back(m);
    expandInto(out, body, active);
    active.pop_back();
    if (out.size() > kMaxLineSize) {
      fail("the line grows past " + std::to_string(kMaxLineSize >> 20) +
           " MB as its macros are expanded");
      return;
    }
    i = after;
  }
}

} // namespace tavasm
