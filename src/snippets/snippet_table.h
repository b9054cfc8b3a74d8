#pragma once
// The snippet palette's fragments and the rule that appends them line by line.
#include "ports/editor.h"

#include <string>
#include <vector>

namespace tavrin {

// One per palette button, in the order of the palette's tabs.
enum class SnippetId {
  Start,
  ClearScreen,
  IndicatorOff,
  Close,
  BigText,
  SmallText,
  TextString,
  SetInverse,
  ResInverse
};

// The lines of a fragment, without line breaks.
const std::vector<std::string>& snippetLines(SnippetId id);

// Adds s as a new last line, wherever the caret is: s + CR LF when the text is empty
// or ends with CR LF, otherwise CR LF + s. Looks only at the text's last two
// characters, so a long document is not copied for every line.
void appendLine(Editor& editor, const std::string& s);

// Appends the lines one after another by that rule, one change notification each, in
// one edit of the control: a long document is rewrapped once, not once per line.
void appendLines(Editor& editor, const std::vector<std::string>& lines);

// Appends the fragment's lines.
void appendSnippet(Editor& editor, SnippetId id);

} // namespace tavrin
