#include "asm/preprocessor.h"

#include "asm/asm_error.h"
#include "asm/preprocessor_frame.h"

#include <algorithm>

namespace tavasm {

namespace {

std::string sizeText(size_t bytes) {
  return std::to_string(bytes >> 20) + " MB";
}

bool isDirective(const std::vector<Token>& raw) {
  return !raw.empty() && raw[0].kind == T::Name && raw[0].text[0] == '#';
}

Span all(const std::vector<Token>& v) {
  return {v.data(), v.data() + v.size()};
}

} // namespace

Preprocessor::Preprocessor(SourceFiles& files, const Options& options,
                           std::vector<Message>& messages)
    : files_(files), messages_(messages), includeDirs_(options.includeDirs) {
  for (const auto& [name, text] : options.defines) {
    auto m = std::make_unique<Macro>();
    m->origin.name = name;
    tokenize(texts_.emplace_back(text), m->body);
    macros_.define(std::move(m));
  }
}

Preprocessor::~Preprocessor() = default;

void Preprocessor::start(const std::string& path) {
  FileText file = files_.read(path);
  filesRead_.push_back(path);
  const char* problem = file.status == FileText::Status::Missing  ? "can't read the file"
                        : file.status == FileText::Status::Folder ? "it is a folder, not a file"
                        : file.status == FileText::Status::TooLarge
                            ? "the file is larger than the most a source may be"
                            : nullptr;
  if (problem) {
    messages_.push_back({path,
                         0,
                         0,
                         true,
                         problem + (file.status == FileText::Status::TooLarge
                                        ? " (" + sizeText(kMaxSourceSize) + ")"
                                        : std::string()),
                         {},
                         {}});
    return;
  }
  if (file.text.find('\0') != std::string::npos) {
    messages_.push_back(
        {path, 0, 0, true, "the file holds a NUL byte: it is not a source text", {}, {}});
    return;
  }
  enterFile(path, std::move(file.text), nullptr);
}

void Preprocessor::enterFile(const std::string& path, std::string text, const Where* from) {
  auto frame = std::make_unique<Frame>();
  frame->name = &names_.emplace_back(path);
  frame->text = texts_.emplace_back(std::move(text));
  // Editors that save UTF-8 may start the file with a byte order mark, which is no text.
  if (frame->text.substr(0, 3) == "\xEF\xBB\xBF") frame->at = 3;
  auto& chain = chains_.emplace_back();
  if (from) {
    chain.push_back("included from " + *from->file + ":" + std::to_string(from->line));
    if (from->chain) chain.insert(chain.end(), from->chain->begin(), from->chain->end());
  }
  frame->chain = &chain;
  frame->conditionBase = conditions_.size();
  frames_.push_back(std::move(frame));
}

void Preprocessor::error(const Where* where, const Token* at, const std::string& text) {
  messages_.push_back(messageAt(*where, at, true, text));
}

// The next raw line of the frame on top, or false when it has none left.
bool Preprocessor::readLine(Frame& f, std::vector<Token>& raw, const Where*& where) {
  raw.clear();
  pictureWidth_ = pictureHeight_ = 0;
  switch (f.kind) {
  case Frame::Kind::File: {
    if (f.at >= f.text.size()) return false;
    // Lines end at LF, CR LF or a lone CR.
    size_t end = f.text.find_first_of("\r\n", f.at);
    if (end == std::string_view::npos) end = f.text.size();
    const std::string_view text = f.text.substr(f.at, end - f.at);
    f.at =
        end + (end + 1 < f.text.size() && f.text[end] == '\r' && f.text[end + 1] == '\n' ? 2 : 1);
    where = &wheres_.emplace_back(Where{f.name, ++f.line, text, f.chain});
    tokenize(text, raw);
    return true;
  }
  case Frame::Kind::Macro: {
    // Past the limit of lines made by macros, the calls still open end at once.
    if (f.at >= f.macro->lines.size() || macroLines_ > kMaxMacroLines) return false;
    const BodyLine& body = f.macro->lines[f.at++];
    where =
        &wheres_.emplace_back(Where{body.where.file, body.where.line, body.where.text, f.chain});
    MacroTable::substitute(*f.macro, all(body.tokens), f.args, raw);
    return true;
  }
  case Frame::Kind::Rest:
    if (f.at++ > 0) return false;
    raw = std::move(f.rest);
    where = f.where;
    pictureWidth_ = f.pictureWidth, pictureHeight_ = f.pictureHeight;
    return true;
  }
  return false;
}

void Preprocessor::leave() {
  Frame& f = *frames_.back();
  while (conditions_.size() > f.conditionBase) {
    error(conditions_.back().where, nullptr, "#if without #endif");
    conditions_.pop_back();
  }
  frames_.pop_back();
}

bool Preprocessor::next(Line& out) {
  while (!frames_.empty()) {
    const Where* where = nullptr;
    if (!readLine(*frames_.back(), raw_, where)) {
      if (frames_.size() == 1 && defining_) {
        error(definingWhere_, nullptr, "#macro " + defining_->origin.name + " has no #endmacro");
        defining_.reset();
      }
      leave();
      continue;
    }
    if (defining_) {
      if (isDirective(raw_) && equalsNoCase(raw_[0].text, "#endmacro")) {
        macros_.define(std::move(defining_));
        continue;
      }
      defining_->lines.push_back({*where, raw_});
      continue;
    }
    if (isDirective(raw_)) {
      directive(where, all(raw_));
      continue;
    }
    if (!taking() || raw_.empty()) continue;
    try {
      macros_.expand(all(raw_), out.tokens);
    } catch (const AsmError& e) {
      error(where, e.at(), e.what());
      continue;
    }
    out.where = where;
    out.pictureWidth = pictureWidth_, out.pictureHeight = pictureHeight_;
    if (callsMacro(out)) {
      if (out.tokens.empty()) continue;
    }
    return true;
  }
  return false;
}

// A statement that calls a #macro: what stands before it stays in `out`, the macro's lines
// follow, then what stands after it on the line.
bool Preprocessor::callsMacro(Line& out) {
  auto& tokens = out.tokens;
  for (size_t s = 0; s < tokens.size();) {
    size_t k = s;
    if (s == 0 && tokens[0].col == 1 && tokens[0].kind == T::Name && !tokens[0].macro)
      k += (tokens.size() > 1 && tokens[1].kind == T::Colon) ? 2 : 1;
    else if (k + 1 < tokens.size() && tokens[k].kind == T::Name && tokens[k + 1].kind == T::Colon)
      k += 2;
    const Macro* m =
        k < tokens.size() && tokens[k].kind == T::Name ? macros_.find(tokens[k].text) : nullptr;
    size_t end = k + 1;
    while (end < tokens.size() && tokens[end].kind != T::Backslash)
      ++end;
    if (!m || !m->multiLine) {
      s = end + 1;
      continue;
    }
    const Token call = tokens[k];
    Arguments args;
    size_t after = k + 1;
    if (after < tokens.size() && tokens[after].kind == T::Open &&
        !MacroTable::arguments({tokens.data(), tokens.data() + end}, after, after, args)) {
      error(out.where, &call, "missing ')' in the call of macro " + m->origin.name);
      tokens.resize(s);
      return true;
    }
    std::string problem = MacroTable::argumentMismatch(*m, args);
    if (problem.empty() && after != end)
      problem = "unexpected " + std::string(tokens[after].text) + " after the call of macro " +
                m->origin.name;
    int depth = 0;
    std::string chain;
    for (const auto& f : frames_)
      if (f->kind == Frame::Kind::Macro) {
        ++depth;
        chain += f->macro->origin.name + " -> ";
        if (f->macro == m && problem.empty())
          problem = "macro " + m->origin.name + " expands itself: ";
      }
    if (problem.empty() && depth >= MacroTable::kMaxDepth) problem = "macros nest too deeply: ";
    if (problem.empty() && (macroLines_ += m->lines.size()) > kMaxMacroLines)
      problem = "macro calls have made more than " + std::to_string(kMaxMacroLines) +
                " lines, the most a source may: " + m->origin.name;
    if (!problem.empty() && problem.back() == ' ') problem += chain + m->origin.name;
    if (!problem.empty()) {
      error(out.where, &call, problem);
      tokens.resize(s);
      return true;
    }
    if (end + 1 < tokens.size()) {
      auto rest = std::make_unique<Frame>();
      rest->kind = Frame::Kind::Rest;
      rest->rest.assign(tokens.begin() + static_cast<std::ptrdiff_t>(end + 1), tokens.end());
      rest->where = out.where;
      rest->conditionBase = conditions_.size();
      frames_.push_back(std::move(rest));
    }
    auto frame = std::make_unique<Frame>();
    frame->kind = Frame::Kind::Macro;
    frame->macro = m;
    frame->args = std::move(args);
    auto& links = chains_.emplace_back();
    links.push_back("in macro " + m->origin.name + " (defined at " + *m->origin.file + ":" +
                    std::to_string(m->origin.line) + "), called at " + *out.where->file + ":" +
                    std::to_string(out.where->line));
    if (out.where->chain)
      links.insert(links.end(), out.where->chain->begin(), out.where->chain->end());
    frame->chain = &links;
    frame->conditionBase = conditions_.size();
    frames_.push_back(std::move(frame));
    tokens.resize(k); // the label before the call, if any
    return true;
  }
  return false;
}

void Preprocessor::endFile() {
  while (!frames_.empty() && frames_.back()->kind != Frame::Kind::File)
    frames_.pop_back();
  if (frames_.size() <= 1) {
    frames_.clear(); // the main file: nothing after its .end is read
    return;
  }
  frames_.back()->at = frames_.back()->text.size();
}

} // namespace tavasm
