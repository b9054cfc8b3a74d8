// Tavrin's help text as the help-file writer takes it: topics made of styled paragraphs,
// each a row of plain runs and jumps. help_parser.h reads it from help/helpfile.txt.
#pragma once

#include <string>
#include <vector>

namespace tavrin::help {

enum class Style { Text, Heading, ListItem, Code };

// A run of text; a jump when `target` names a topic.
struct Span {
  std::string text;
  std::string target;
  bool operator==(const Span&) const = default;
};

// One paragraph. In Code paragraphs '\n' ends a line and '\t' is a tab.
struct Paragraph {
  Style style = Style::Text;
  std::vector<Span> spans;
  bool operator==(const Paragraph&) const = default;
};

struct Topic {
  std::string context;
  std::string title;
  std::vector<Paragraph> paragraphs;
};

struct HelpText {
  std::string title;
  std::vector<Topic> topics; // topics[0] is the contents topic
};

} // namespace tavrin::help
