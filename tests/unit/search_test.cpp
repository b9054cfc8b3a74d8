#include "find/search.h"

#include "fakes/fake_editor.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using fakes::FakeEditor;

struct SearchCase {
  const char* name;
  std::string text;
  std::string needle;
  std::optional<Match> expected;
};

TEST(FindFirst, Offsets) {
  const std::string longLine(5000, 'x');
  const SearchCase cases[] = {
      {"first line, at its start", "abc\r\nabc", "ab", Match{0, 2}},
      {"after several lines", "one\r\ntwo\r\nthree\r\nfour", "ou", Match{18, 2}},
      {"two in one line takes the first", "x\r\nfoo bar foo", "foo", Match{3, 3}},
      {"earlier line wins over later", "a\r\nb\r\nkey\r\nc\r\nd\r\ne\r\nkey", "key", Match{6, 3}},
      {"case-sensitive", "Label\r\nLABEL", "LABEL", Match{7, 5}},
      {"lower case not found by capitals", "call _puts", "CALL", std::nullopt},
      {"not found", "abc\r\ndef", "xyz", std::nullopt},
      {"empty needle", "abc", "", std::nullopt},
      {"empty text", "", "a", std::nullopt},
      {"never across a line break", "ab\r\ncd", "b\r\nc", std::nullopt},
      {"lone CR belongs to its line", "a\rb\r\nc", "\rb", Match{1, 2}},
      {"lone LF belongs to its line", "a\nb\r\nb", "b", Match{2, 1}},
      {"CR before a break stays in the line", "a\r\r\nz", "a\r", Match{0, 2}},
      {"in the empty last line nothing", "abc\r\n", "abc\r", std::nullopt},
      {"after a long line", longLine + "\r\n" + longLine + "needle", "needle", Match{10002, 6}},
      {"whole line", "\r\n\r\nend", "end", Match{4, 3}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(findFirst(c.text, c.needle), c.expected) << c.name;
  }
}

TEST(RunFind, SelectsAndFocusesTheMatchReadingTheTextOnce) {
  FakeEditor editor;
  editor.content = "ld a,1\r\nret\r\nld a,2\r\nret";
  for (int press = 0; press < 2; ++press) { // every press finds the same first place
    editor.selStart = 0, editor.selLength = 0;
    EXPECT_TRUE(runFind(editor, "ret"));
    EXPECT_TRUE(editor.focused);
    EXPECT_EQ(editor.selStart, 8u);
    EXPECT_EQ(editor.selLength, 3u);
  }
  EXPECT_EQ(editor.fullReads, 2u);
}

TEST(RunFind, NotFoundTouchesNothing) {
  FakeEditor editor;
  editor.content = "ld a,1";
  editor.selStart = 2, editor.selLength = 1;
  EXPECT_FALSE(runFind(editor, "xyz"));
  EXPECT_FALSE(editor.focused);
  EXPECT_EQ(editor.selStart, 2u);
  EXPECT_EQ(editor.selLength, 1u);
  EXPECT_EQ(editor.changes, 0);
}

} // namespace
} // namespace tavrin
