#pragma once
// What every Editor must do for the logic, run against each implementation.
//
// Instantiate with a factory type F providing
//   static std::unique_ptr<tavrin::Editor> make();
//   static std::pair<std::size_t, std::size_t> selection(tavrin::Editor&); // {start, end}
// and
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, EditorContract, ::testing::Types<F>);
#include "helpers/text_lines.h"
#include "ports/editor.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

template <typename Factory> class EditorContract : public ::testing::Test {
protected:
  void SetUp() override {
    editor = Factory::make();
    ASSERT_TRUE(editor);
    editor->onChange([this] { ++notified; });
  }
  // Puts text in and forgets the notification that caused.
  void start(const std::string& text) {
    editor->setText(text);
    notified = 0;
  }
  std::pair<std::size_t, std::size_t> selection() { return Factory::selection(*editor); }

  std::unique_ptr<tavrin::Editor> editor;
  int notified = 0;
};

TYPED_TEST_SUITE_P(EditorContract);

TYPED_TEST_P(EditorContract, SetTextReplacesAndNotifiesOnlyWhenTheTextDiffers) {
  this->start("ld a,1\r\nret");
  this->editor->setText("ld a,1\r\nret");
  EXPECT_EQ(this->notified, 0);
  this->editor->setText("ld b,2");
  EXPECT_EQ(this->notified, 1);
  EXPECT_EQ(this->editor->text(), "ld b,2");
  this->editor->setText("");
  EXPECT_EQ(this->notified, 2);
  EXPECT_EQ(this->editor->text(), "");
}

TYPED_TEST_P(EditorContract, ClearEmptiesWithoutNotifying) {
  this->start("some\r\ntext");
  this->editor->clear();
  EXPECT_EQ(this->editor->text(), "");
  EXPECT_TRUE(tavrin::test::splitLines(this->editor->text()).empty());
  EXPECT_EQ(this->notified, 0);
}

TYPED_TEST_P(EditorContract, EachInsertAtEndNotifiesOnceAndLeavesTheCaretAfterIt) {
  this->start("first");
  this->editor->insertAtEnd({"\r\n\tcall _clrLCDFull"});
  EXPECT_EQ(this->notified, 1);
  this->editor->insertAtEnd({"\r\n\tret"});
  EXPECT_EQ(this->notified, 2);
  const std::string expected = "first\r\n\tcall _clrLCDFull\r\n\tret";
  EXPECT_EQ(this->editor->text(), expected);
  EXPECT_EQ(this->selection(), std::make_pair(expected.size(), expected.size()));
  this->editor->insertAtEnd({""});
  EXPECT_EQ(this->notified, 2);
  EXPECT_EQ(this->editor->text(), expected);
  // Several pieces at once: one notification each, empty ones none.
  this->editor->insertAtEnd({"\r\na", "", "\r\nb", "\r\nc"});
  EXPECT_EQ(this->notified, 5);
  const std::string more = expected + "\r\na\r\nb\r\nc";
  EXPECT_EQ(this->editor->text(), more);
  EXPECT_EQ(this->selection(), std::make_pair(more.size(), more.size()));
}

TYPED_TEST_P(EditorContract, LinesAreDividedByBreaksAndAnEmptyLastLineDoesNotCount) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"one", {"one"}},
      {"one\r\n", {"one"}},
      {"one\r\ntwo", {"one", "two"}},
      {"one\r\n\r\n", {"one", ""}},
      {"\r\n", {""}},
      {"\r\n\r\nthree\r\n", {"", "", "three"}},
      {"a\tb \r\n c", {"a\tb ", " c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text));
    this->editor->setText(c.text);
    EXPECT_EQ(tavrin::test::splitLines(this->editor->text()), c.lines);
  }
}

TYPED_TEST_P(EditorContract, ALineTooLongForTheWindowIsStillOneLine) {
  std::string longLine;
  while (longLine.size() < 3000)
    longLine += "db \"wrap me\",0 ";
  this->editor->setText("start\r\n" + longLine + "\r\nend");
  const auto lines = tavrin::test::splitLines(this->editor->text());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], longLine);
  EXPECT_EQ(lines[2], "end");
}

TYPED_TEST_P(EditorContract, SelectionOffsetsCountALineBreakAsTwoCharacters) {
  const std::string text = "ab\r\ncd\r\nef";
  this->start(text);
  this->editor->select(8, 2); // "ef": two lines of two characters and two breaks before it
  auto [start, end] = this->selection();
  EXPECT_EQ(start, 8u);
  EXPECT_EQ(end, 10u);
  EXPECT_EQ(this->editor->text().substr(start, end - start), "ef");
  this->editor->select(4, 0);
  EXPECT_EQ(this->selection(), std::make_pair(std::size_t{4}, std::size_t{4}));
  EXPECT_EQ(this->notified, 0);
}

TYPED_TEST_P(EditorContract, TailGivesTheLastCharacters) {
  this->start("line\r\n");
  EXPECT_EQ(this->editor->tail(2), "\r\n");
  EXPECT_EQ(this->editor->tail(3), "e\r\n");
  EXPECT_EQ(this->editor->tail(100), "line\r\n");
  EXPECT_EQ(this->editor->tail(0), "");
  this->editor->clear();
  EXPECT_EQ(this->editor->tail(2), "");
}

REGISTER_TYPED_TEST_SUITE_P(EditorContract, SetTextReplacesAndNotifiesOnlyWhenTheTextDiffers,
                            ClearEmptiesWithoutNotifying,
                            EachInsertAtEndNotifiesOnceAndLeavesTheCaretAfterIt,
                            LinesAreDividedByBreaksAndAnEmptyLastLineDoesNotCount,
                            ALineTooLongForTheWindowIsStillOneLine,
                            SelectionOffsetsCountALineBreakAsTwoCharacters,
                            TailGivesTheLastCharacters);
