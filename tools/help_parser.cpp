#include "help_parser.h"

#include "help_context_name.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace tavrin::help {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// Splits running text into plain runs and [text](name) jumps.
std::vector<Span> parseSpans(std::string_view text, int line) {
  std::vector<Span> spans;
  std::string plain;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '[') {
      const std::size_t close = text.find(']', i);
      if (close != std::string_view::npos && close + 1 < text.size() && text[close + 1] == '(') {
        const std::size_t end = text.find(')', close + 2);
        if (end == std::string_view::npos) throw SourceError(line, "a jump without its ')'");
        if (!plain.empty()) spans.push_back({std::move(plain), {}});
        plain.clear();
        Span jump{std::string(text.substr(i + 1, close - i - 1)),
                  std::string(text.substr(close + 2, end - close - 2))};
        if (jump.text.empty()) throw SourceError(line, "a jump without text");
        if (!validContextName(jump.target))
          throw SourceError(line, "a jump to a bad topic name '" + jump.target + "'");
        spans.push_back(std::move(jump));
        i = end + 1;
        continue;
      }
    }
    plain += text[i++];
  }
  if (!plain.empty()) spans.push_back({std::move(plain), {}});
  return spans;
}

// Reads the text line by line, one step per kind of line, then checks the whole.
class Parser {
public:
  HelpText run(std::string_view source);

private:
  void readLine(std::string_view raw);
  void readCodeLine(std::string_view code);
  void readTitle(std::string_view title);
  void readHeading(std::string_view text);
  void readTopicLine(std::string_view rest);
  void readListItem(std::string_view text);
  void readRunningText(std::string_view line);
  void checkTopicName(const std::string& context);
  void checkWhole() const;

  Paragraph* addParagraph(Style style, std::vector<Span> spans);
  void continueParagraph(Paragraph& p, std::string_view text);
  void noteJumps(const std::vector<Span>& spans);

  HelpText help_;
  std::map<std::string, int> jumpLines_; // target -> first line that names it
  std::map<std::int32_t, std::string> hashes_;
  Paragraph* open_ = nullptr; // the paragraph that the next line may continue
  int lineNo_ = 0;
};

HelpText Parser::run(std::string_view source) {
  std::size_t at = 0;
  while (at <= source.size()) {
    std::size_t end = source.find('\n', at);
    if (end == std::string_view::npos) end = source.size();
    ++lineNo_;
    readLine(source.substr(at, end - at));
    at = end + 1;
  }
  checkWhole();
  return std::move(help_);
}

void Parser::readLine(std::string_view raw) {
  if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
  if (!raw.empty() && raw.front() == '#') return; // a comment leaves the paragraph open
  if (!raw.empty() && raw.front() == '|') {
    readCodeLine(raw.substr(1));
    return;
  }
  const std::string_view line = trim(raw);
  if (line.empty()) {
    open_ = nullptr;
  } else if (line.rfind("title:", 0) == 0) {
    readTitle(trim(line.substr(6)));
  } else if (line.rfind("==", 0) == 0) {
    readHeading(trim(line.substr(2)));
  } else if (line.front() == '=') {
    readTopicLine(trim(line.substr(1)));
  } else if (line.rfind("- ", 0) == 0) {
    readListItem(trim(line.substr(2)));
  } else {
    readRunningText(line);
  }
}

void Parser::readCodeLine(std::string_view code) {
  if (open_ && open_->style == Style::Code) {
    open_->spans.back().text += '\n';
    open_->spans.back().text += code;
  } else {
    open_ = addParagraph(Style::Code, {Span{std::string(code), {}}});
  }
}

void Parser::readTitle(std::string_view title) {
  if (!help_.topics.empty()) throw SourceError(lineNo_, "the title comes before the topics");
  help_.title = std::string(title);
  open_ = nullptr;
}

void Parser::readHeading(std::string_view text) {
  addParagraph(Style::Heading, parseSpans(text, lineNo_));
  open_ = nullptr;
}

void Parser::readTopicLine(std::string_view rest) {
  const std::size_t space = rest.find_first_of(" \t");
  Topic topic;
  topic.context = std::string(rest.substr(0, space));
  if (space != std::string_view::npos) topic.title = std::string(trim(rest.substr(space)));
  if (!validContextName(topic.context))
    throw SourceError(lineNo_, "a bad topic name '" + topic.context + "'");
  if (topic.title.empty()) throw SourceError(lineNo_, "a topic without a title");
  checkTopicName(topic.context);
  help_.topics.push_back(std::move(topic));
  open_ = nullptr;
}

void Parser::readListItem(std::string_view text) {
  open_ = addParagraph(Style::ListItem, parseSpans(text, lineNo_));
}

void Parser::readRunningText(std::string_view line) {
  if (open_ && open_->style != Style::Code && open_->style != Style::Heading)
    continueParagraph(*open_, line);
  else
    open_ = addParagraph(Style::Text, parseSpans(line, lineNo_));
}

// A topic name must be new, and so must its hash, which the help file finds it by.
void Parser::checkTopicName(const std::string& context) {
  const auto [it, fresh] = hashes_.emplace(contextHash(context), context);
  if (fresh) return;
  throw SourceError(lineNo_, it->second == context
                                 ? "the topic name '" + context + "' is used twice"
                                 : "the topic names '" + it->second + "' and '" + context +
                                       "' have the same hash");
}

void Parser::checkWhole() const {
  if (help_.title.empty()) throw SourceError(lineNo_, "no 'title:' line");
  if (help_.topics.empty()) throw SourceError(lineNo_, "no topic");
  for (const auto& [target, line] : jumpLines_) {
    const bool known = std::any_of(help_.topics.begin(), help_.topics.end(),
                                   [&](const Topic& t) { return t.context == target; });
    if (!known) throw SourceError(line, "a jump to the unknown topic '" + target + "'");
  }
}

Paragraph* Parser::addParagraph(Style style, std::vector<Span> spans) {
  if (help_.topics.empty()) throw SourceError(lineNo_, "text before the first topic");
  noteJumps(spans);
  help_.topics.back().paragraphs.push_back({style, std::move(spans)});
  return &help_.topics.back().paragraphs.back();
}

// Running text on the next line joins the paragraph after a space.
void Parser::continueParagraph(Paragraph& p, std::string_view text) {
  std::vector<Span> more = parseSpans(text, lineNo_);
  noteJumps(more);
  if (!p.spans.empty() && p.spans.back().target.empty() && !more.empty() &&
      more.front().target.empty()) {
    p.spans.back().text += ' ' + more.front().text;
    more.erase(more.begin());
  } else if (!p.spans.empty()) {
    more.insert(more.begin(), Span{" ", {}});
  }
  for (Span& s : more)
    p.spans.push_back(std::move(s));
}

void Parser::noteJumps(const std::vector<Span>& spans) {
  for (const Span& s : spans)
    if (!s.target.empty()) jumpLines_.emplace(s.target, lineNo_);
}

} // namespace

HelpText parseHelpText(std::string_view source) {
  return Parser().run(source);
}

} // namespace tavrin::help
