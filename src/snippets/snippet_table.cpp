#include "snippets/snippet_table.h"

#include <stdexcept>

namespace tavrin {

namespace {

const std::vector<std::string> kStart = {
    ".NOLIST",          "#define end .end",         "#define END .end",        "#define equ .equ",
    "#define EQU .equ", "#include \"ti83asm.inc\"", "#include \"tokens.inc\"", ".LIST",
    "\t.org 9327h",
};
const std::vector<std::string> kClearScreen = {"\tcall _clrLCDFull"};
const std::vector<std::string> kIndicatorOff = {"\tcall _runIndicOff"};
const std::vector<std::string> kClose = {"\tret"};
const std::vector<std::string> kBigText = {
    "\tld hl,0\t;\tNote that 0 is the row",        "\tld (CURROW),hl",
    "\tld hl,0\t;\tNote that 0 is the colum",      "\tld (CURCOL),hl",
    "\tld hl,str1\t;\tNote that Str1 is the text", "\tcall _puts",
};
const std::vector<std::string> kSmallText = {
    "\tld hl,0\t;\tNote that 0 is the row",        "\tld (PENROW),hl",
    "\tld hl,0\t;\tNote that 0 is the colum",      "\tld (PENCOL),hl",
    "\tld hl,str1\t;\tNote that Str1 is the text", "\tcall _vputs",
};
const std::vector<std::string> kTextString = {"Str1:", "\t.db \"Put your text here.\",0"};
const std::vector<std::string> kSetInverse = {"\tset textInverse, (iy+textflags)"};
const std::vector<std::string> kResInverse = {"\tres textInverse, (iy+textflags)"};

} // namespace

const std::vector<std::string>& snippetLines(SnippetId id) {
  switch (id) {
  case SnippetId::Start:
    return kStart;
  case SnippetId::ClearScreen:
    return kClearScreen;
  case SnippetId::IndicatorOff:
    return kIndicatorOff;
  case SnippetId::Close:
    return kClose;
  case SnippetId::BigText:
    return kBigText;
  case SnippetId::SmallText:
    return kSmallText;
  case SnippetId::TextString:
    return kTextString;
  case SnippetId::SetInverse:
    return kSetInverse;
  case SnippetId::ResInverse:
    return kResInverse;
  }
  throw std::invalid_argument("unknown snippet");
}

void appendLine(Editor& editor, const std::string& s) {
  appendLines(editor, {s});
}

void appendLines(Editor& editor, const std::vector<std::string>& lines) {
  const std::string end = editor.tail(2);
  bool atLineStart = end.empty() || end == "\r\n";
  std::vector<std::string> pieces;
  pieces.reserve(lines.size());
  for (const auto& s : lines) {
    if (atLineStart) {
      pieces.push_back(s + "\r\n"); // the text ends with a break again
    } else {
      pieces.push_back("\r\n" + s);
      atLineStart = s.empty(); // lines hold no breaks: only an empty one ends with one
    }
  }
  editor.insertAtEnd(pieces);
}

void appendSnippet(Editor& editor, SnippetId id) {
  appendLines(editor, snippetLines(id));
}

} // namespace tavrin
