#include "snippets/snippet_table.h"

#include "fakes/fake_editor.h"
#include "helpers/text_lines.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using fakes::FakeEditor;

struct FragmentCase {
  SnippetId id;
  const char* onEmptyText; // the document after pressing the button on an empty one
};

const FragmentCase kFragments[] = {
    {SnippetId::Start, ".NOLIST\r\n"
                       "#define end .end\r\n"
                       "#define END .end\r\n"
                       "#define equ .equ\r\n"
                       "#define EQU .equ\r\n"
                       "#include \"ti83asm.inc\"\r\n"
                       "#include \"tokens.inc\"\r\n"
                       ".LIST\r\n"
                       "\x09.org 9327h\r\n"},
    {SnippetId::ClearScreen, "\x09"
                             "call _clrLCDFull\r\n"},
    {SnippetId::IndicatorOff, "\x09"
                              "call _runIndicOff\r\n"},
    {SnippetId::Close, "\x09"
                       "ret\r\n"},
    {SnippetId::BigText, "\x09"
                         "ld hl,0\x09;\x09"
                         "Note that 0 is the row\r\n"
                         "\x09"
                         "ld (CURROW),hl\r\n"
                         "\x09"
                         "ld hl,0\x09;\x09"
                         "Note that 0 is the colum\r\n"
                         "\x09"
                         "ld (CURCOL),hl\r\n"
                         "\x09"
                         "ld hl,str1\x09;\x09"
                         "Note that Str1 is the text\r\n"
                         "\x09"
                         "call _puts\r\n"},
    {SnippetId::SmallText, "\x09"
                           "ld hl,0\x09;\x09"
                           "Note that 0 is the row\r\n"
                           "\x09"
                           "ld (PENROW),hl\r\n"
                           "\x09"
                           "ld hl,0\x09;\x09"
                           "Note that 0 is the colum\r\n"
                           "\x09"
                           "ld (PENCOL),hl\r\n"
                           "\x09"
                           "ld hl,str1\x09;\x09"
                           "Note that Str1 is the text\r\n"
                           "\x09"
                           "call _vputs\r\n"},
    {SnippetId::TextString, "Str1:\r\n\x09.db \"Put your text here.\",0\r\n"},
    {SnippetId::SetInverse, "\x09"
                            "set textInverse, (iy+textflags)\r\n"},
    {SnippetId::ResInverse, "\x09"
                            "res textInverse, (iy+textflags)\r\n"},
};

TEST(SnippetTable, EachFragmentOnAnEmptyDocumentGivesItsExactBytes) {
  for (const auto& c : kFragments) {
    FakeEditor editor;
    appendSnippet(editor, c.id);
    EXPECT_EQ(editor.content, c.onEmptyText) << "snippet " << static_cast<int>(c.id);
    // One change notification per line, and no line holds a break of its own.
    EXPECT_EQ(editor.changes, static_cast<int>(snippetLines(c.id).size()));
    for (const auto& line : snippetLines(c.id))
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  }
}

TEST(SnippetTable, StartGivesNineLinesTheLastStartingWithATab) {
  FakeEditor editor;
  appendSnippet(editor, SnippetId::Start);
  const auto lines = tavrin::test::splitLines(editor.text());
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[8], "\t.org 9327h");
}

struct AppendCase {
  const char* before;
  const char* after; // after appending "X"
};

TEST(AppendLine, FollowsHowTheTextEnds) {
  const AppendCase cases[] = {
      {"", "X\r\n"},             // empty text
      {"a\r\n", "a\r\nX\r\n"},   // ends with a break
      {"a", "a\r\nX"},           // ends mid-line
      {"a\r", "a\r\r\nX"},       // a lone CR is not a break
      {"a\n", "a\n\r\nX"},       // nor a lone LF
      {"\r\n", "\r\nX\r\n"},     // only a break
      {"a\r\nb", "a\r\nb\r\nX"}, // several lines, last without a break
  };
  for (const auto& c : cases) {
    FakeEditor editor;
    editor.content = c.before;
    appendLine(editor, "X");
    EXPECT_EQ(editor.content, c.after) << "before: " << ::testing::PrintToString(c.before);
    EXPECT_EQ(editor.changes, 1);
    EXPECT_EQ(editor.selStart, editor.content.size()); // caret after the added text
  }
}

TEST(AppendSnippet, MidLineTextStartsANewLineAndEndsWithoutBreak) {
  FakeEditor editor;
  editor.content = "start";
  appendSnippet(editor, SnippetId::ClearScreen);
  EXPECT_EQ(editor.content, "start\r\n\tcall _clrLCDFull");

  appendSnippet(editor, SnippetId::TextString);
  EXPECT_EQ(editor.content,
            "start\r\n\tcall _clrLCDFull\r\nStr1:\r\n\t.db \"Put your text here.\",0");
}

// Appending several lines at once gives exactly what appending them one by one gives,
// in one edit of the editor, with one notification per line.
TEST(AppendLines, MatchLineByLineInOneEdit) {
  const std::vector<std::string> lines = {"a", "", "b", "", ""};
  for (const std::string before : {"", "x", "x\r\n", "x\r\n\r\n"}) {
    SCOPED_TRACE(::testing::PrintToString(before));
    FakeEditor oneByOne;
    oneByOne.content = before;
    for (const auto& line : lines)
      appendLine(oneByOne, line);
    FakeEditor together;
    together.content = before;
    appendLines(together, lines);
    EXPECT_EQ(together.content, oneByOne.content);
    EXPECT_EQ(together.inserts, 1);
    EXPECT_EQ(together.changes, 5);
  }
}

TEST(AppendSnippet, GoesToTheEndWhereverTheCaretIsAndNeverReadsTheWholeText) {
  FakeEditor editor;
  editor.content = "line one\r\nline two\r\n";
  editor.selStart = 3;
  appendSnippet(editor, SnippetId::Close);
  appendSnippet(editor, SnippetId::Close);
  EXPECT_EQ(editor.content, "line one\r\nline two\r\n\tret\r\n\tret\r\n");
  EXPECT_EQ(editor.changes, 2);
  EXPECT_EQ(editor.fullReads, 0u);

  appendSnippet(editor, SnippetId::BigText);
  EXPECT_EQ(editor.fullReads, 0u);
}

} // namespace
} // namespace tavrin
