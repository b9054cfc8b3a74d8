// The preprocessor's directives: #define, #macro, #undef, #defcont, #if and its kin,
// #include.
#include "asm/asm_error.h"
#include "asm/expression.h"
#include "asm/preprocessor.h"
#include "asm/preprocessor_frame.h"

#include "asm/picture.h"

#include <algorithm>
#include <array>

namespace tavasm {
namespace {

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool isAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
         (path.size() > 1 && isLetter(path[0]) && path[1] == ':');
}

std::string sizeText(size_t bytes) {
  return std::to_string(bytes >> 20) + " MB";
}

// #if sees only macros: a name that is still a name after expansion counts as 0.
class NoSymbols : public Symbols {
public:
  std::optional<std::int32_t> symbol(const Token&) override { return 0; }
  std::optional<std::int32_t> anonymous(int) override { return 0; }
  std::int32_t here() override { return 0; }
};

} // namespace

void Preprocessor::directive(const Where* where, Span tokens) {
  const std::string name = lowered(tokens[0].text.substr(1));
  const Span rest = tokens.from(1);
  if (name == "if" || name == "ifdef" || name == "ifndef" || name == "elif" || name == "else" ||
      name == "endif")
    return condition(where, name, rest);
  if (!taking()) return;
  if (name == "define" || name == "macro") return define(where, rest, name == "macro");
  if (name == "defcont") {
    if (!lastDefined_) return error(where, &tokens[0], "#defcont without a #define before it");
    lastDefined_->body.insert(lastDefined_->body.end(), rest.begin(), rest.end());
    return;
  }
  if (name == "undefine" || name == "undef") {
    if (rest.empty() || rest[0].kind != T::Name)
      return error(where, &tokens[0], "#" + name + " needs a name");
    if (lastDefined_ && macros_.find(rest[0].text) == lastDefined_) lastDefined_ = nullptr;
    macros_.undefine(rest[0].text);
    return;
  }
  if (name == "include") return include(where, tokens);
  if (name == "endmacro") return error(where, &tokens[0], "#endmacro without #macro");
  error(where, &tokens[0], "unknown directive #" + name);
}

void Preprocessor::condition(const Where* where, const std::string& name, Span rest) {
  if (name == "if" || name == "ifdef" || name == "ifndef") {
    Condition c;
    c.outerTaking = taking();
    c.where = where;
    if (c.outerTaking) {
      if (name == "if") {
        std::vector<Token> expanded;
        try {
          macros_.expand(rest, expanded);
          NoSymbols none;
          c.taking =
              evaluate({expanded.data(), expanded.data() + expanded.size()}, none).value != 0;
        } catch (const AsmError& e) {
          error(where, e.at(), std::string("#if: ") + e.what());
        }
      } else if (rest.empty() || rest[0].kind != T::Name) {
        error(where, nullptr, "#" + name + " needs a name");
      } else {
        c.taking = (name == "ifdef") == (macros_.find(rest[0].text) != nullptr);
      }
    }
    c.anyTaken = c.taking;
    conditions_.push_back(c);
    return;
  }
  const size_t base = frames_.empty() ? 0 : frames_.back()->conditionBase;
  if (conditions_.size() <= base) return error(where, nullptr, "#" + name + " without #if");
  Condition& c = conditions_.back();
  if (name == "endif") return conditions_.pop_back();
  if (c.seenElse) return error(where, nullptr, "#" + name + " after #else");
  c.seenElse = name == "else";
  bool take = name == "else";
  if (name == "elif" && c.outerTaking && !c.anyTaken) {
    std::vector<Token> expanded;
    try {
      macros_.expand(rest, expanded);
      NoSymbols none;
      take = evaluate({expanded.data(), expanded.data() + expanded.size()}, none).value != 0;
    } catch (const AsmError& e) {
      error(where, e.at(), std::string("#elif: ") + e.what());
    }
  }
  c.taking = c.outerTaking && !c.anyTaken && take;
  c.anyTaken = c.anyTaken || c.taking;
}

void Preprocessor::define(const Where* where, Span rest, bool multiLine) {
  const char* what = multiLine ? "#macro" : "#define";
  if (rest.empty() || rest[0].kind != T::Name || rest[0].text[0] == '#')
    return error(where, rest.empty() ? nullptr : &rest[0], std::string(what) + " needs a name");
  auto m = std::make_unique<Macro>();
  m->origin = {std::string(rest[0].text), where->file, where->line};
  m->multiLine = multiLine;
  size_t i = 1;
  if (i < rest.size() && rest[i].kind == T::Open && !rest[i].spaceBefore) {
    m->function = true;
    for (++i; i < rest.size() && rest[i].kind != T::Close; ++i) {
      if (rest[i].kind != T::Name ||
          (i + 1 < rest.size() && rest[i + 1].kind != T::Comma && rest[i + 1].kind != T::Close))
        return error(where, &rest[i],
                     "bad parameter " + std::string(rest[i].text) + " in " + what + " " +
                         m->origin.name);
      m->params.push_back(rest[i].text);
      if (i + 1 < rest.size() && rest[i + 1].kind == T::Comma) ++i;
    }
    if (i == rest.size())
      return error(where, &rest[0], "missing ')' after the parameters of " + m->origin.name);
    ++i;
  }
  if (multiLine) {
    if (i < rest.size())
      return error(where, &rest[i],
                   "unexpected " + std::string(rest[i].text) + " after #macro " + m->origin.name);
    defining_ = std::move(m);
    definingWhere_ = where;
    return;
  }
  m->body.assign(rest.begin() + i, rest.end());
  lastDefined_ = &macros_.define(std::move(m));
}

void Preprocessor::include(const Where* where, Span tokens) {
  if (tokens.size() < 2) return error(where, &tokens[0], "#include needs a file name");
  // The name as written: in quotes, in <>, or bare; backslashes are folder separators.
  // A name that a macro's argument gave is no longer in the line: it is taken from the
  // tokens themselves.
  const size_t from = static_cast<size_t>(tokens[1].col - 1);
  const size_t to = static_cast<size_t>(tokens.last[-1].col - 1) + tokens.last[-1].text.size();
  const bool written = tokens.size() > 2 && to <= where->text.size() && from < to &&
                       where->text.substr(from, tokens[1].text.size()) == tokens[1].text;
  std::string name =
      written ? std::string(where->text.substr(from, to - from)) : spelling(tokens.from(1));
  if (name.size() >= 2 &&
      ((name.front() == '"' && name.back() == '"') || (name.front() == '<' && name.back() == '>')))
    name = name.substr(1, name.size() - 2);
  if (name.empty()) return error(where, &tokens[0], "#include needs a file name");
  std::replace(name.begin(), name.end(), '\\', '/');
  int depth = 0;
  for (const auto& f : frames_)
    depth += f->kind == Frame::Kind::File;
  if (++includes_ > kMaxIncludes)
    return error(where, &tokens[1],
                 "more than " + std::to_string(kMaxIncludes) + " files are included: " + name);
  if (depth >= kMaxIncludeDepth) {
    std::string chain;
    for (const auto& f : frames_)
      if (f->kind == Frame::Kind::File) chain += *f->name + " -> ";
    return error(where, &tokens[1],
                 "includes nest deeper than " + std::to_string(kMaxIncludeDepth) +
                     " files: " + chain + name);
  }
  std::vector<std::string> folders;
  if (isAbsolute(name)) {
    folders.push_back("");
  } else {
    folders.push_back(folderOf(*where->file));
    for (const auto& dir : includeDirs_)
      folders.push_back(dir.empty() || dir.back() == '/' || dir.back() == '\\'
                            ? dir
                            : dir + (dir.find('\\') != std::string::npos ? "\\" : "/"));
  }
  for (const auto& folder : folders) {
    const std::string path = folder + name;
    FileText file = files_.read(path);
    if (file.status == FileText::Status::Missing) continue;
    if (file.status == FileText::Status::Folder)
      return error(where, &tokens[1], path + " is a folder, not a file");
    if (file.status == FileText::Status::TooLarge)
      return error(where, &tokens[1],
                   path + " is larger than the most a source may be (" + sizeText(kMaxSourceSize) +
                       "): it is not read");
    filesRead_.push_back(path);
    if (path.size() > 4 && equalsNoCase(std::string_view(path).substr(path.size() - 4), ".bmp"))
      return includePicture(where, tokens[1], path, file.text);
    if (file.text.find('\0') != std::string::npos)
      return error(where, &tokens[1], path + " holds a NUL byte: it is not a source text");
    return enterFile(path, std::move(file.text), where);
  }
  std::string looked;
  for (const auto& folder : folders)
    looked += (looked.empty() ? "" : ", ") + (folder.empty() ? "." : folder);
  error(where, &tokens[1], "can't find include file \"" + name + "\"; looked in " + looked);
}

// A picture becomes the line ".db" and its bytes, placed at the name's column.
void Preprocessor::includePicture(const Where* where, const Token& name, const std::string& path,
                                  const std::string& file) {
  const Picture picture = readPicture(file);
  if (!picture.error.empty())
    return error(where, &name, path + " can't be included as a picture: " + picture.error);
  static const std::array<std::string, 256> kBytes = [] {
    std::array<std::string, 256> spelled;
    constexpr const char* kHex = "0123456789ABCDEF";
    for (size_t i = 0; i < spelled.size(); ++i)
      spelled[i] = std::string("$") + kHex[i >> 4] + kHex[i & 15];
    return spelled;
  }();
  auto rest = std::make_unique<Frame>();
  rest->kind = Frame::Kind::Rest;
  rest->where = where;
  rest->conditionBase = conditions_.size();
  rest->pictureWidth = picture.width, rest->pictureHeight = picture.height;
  Token t;
  t.col = name.col;
  t.kind = T::Name, t.text = ".db", t.spaceBefore = true;
  rest->rest.push_back(t);
  for (size_t i = 0; i < picture.bytes.size(); ++i) {
    if (i > 0) {
      t.kind = T::Comma, t.text = ",", t.spaceBefore = false;
      rest->rest.push_back(t);
    }
    t.kind = T::Number, t.text = kBytes[picture.bytes[i]], t.spaceBefore = true;
    rest->rest.push_back(t);
  }
  frames_.push_back(std::move(rest));
}

} // namespace tavasm
