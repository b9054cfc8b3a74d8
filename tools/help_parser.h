// Reads Tavrin's help text (help/helpfile.txt), which is plain lines:
//
//   # ...               a comment (only at the start of a line)
//   title: text         the help file's title (once, before the first topic)
//   = name Title        a new topic with the context name "name"; the first one is the
//                       contents topic, which the viewer shows first
//   == Heading          a heading inside a topic
//   - text              a list item
//   | code              a line of code in a fixed-pitch font (tabs are kept); lines next to
//                       each other form one block
//   [text](name)        a jump to the topic "name" (in running text, headings and list items)
//
// Any other line is running text: lines next to each other form one paragraph, and an
// empty line ends it. The text is 8-bit (Windows-1252).
#pragma once

#include "help_text.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrin::help {

class SourceError : public std::runtime_error {
public:
  SourceError(int line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

// Reads the help text; throws SourceError (with the line number) on a mistake: text
// before the first topic, a bad or repeated topic name, two names with the same hash,
// a jump to a topic that does not exist, no title or no topic.
HelpText parseHelpText(std::string_view source);

} // namespace tavrin::help
