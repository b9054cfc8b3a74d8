#include "core/error.h"
#include "document/file_commands.h"
#include "fakes/fake_document_view.h"
#include "fakes/fake_editor.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_prompt.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using tavrin::Answer;
using tavrin::SaveOutcome;

class FileCommandsTest : public ::testing::Test {
protected:
  tavrin::fakes::FakeEditor editor;
  tavrin::fakes::FakeDocumentView view;
  tavrin::fakes::FakeFileSystem fs;
  tavrin::fakes::FakePrompt prompt;
  tavrin::fakes::FakeFileDialog openDialog, saveDialog;
  tavrin::EditorDocument doc{editor, view, fs};
  tavrin::FileCommands commands{doc, prompt, openDialog, saveDialog};

  struct State {
    std::string text, caption, name;
    int changed;
    bool save;
    bool operator==(const State&) const = default;
    friend void PrintTo(const State& s, std::ostream* os) {
      *os << ::testing::PrintToString(s.text) << " bar " << ::testing::PrintToString(s.caption)
          << " name " << ::testing::PrintToString(s.name) << " changed " << s.changed << " save "
          << s.save;
    }
  };
  State state() {
    return {editor.content, view.caption, doc.sourceFileName(), doc.sourceChanged(), view.saveOn};
  }

  // A document opened from "a.z80" and then edited.
  void changedNamed() {
    fs.files["a.z80"] = "ret";
    doc.openSourceFile("a.z80");
    editor.selStart = editor.content.size();
    editor.type("\tnop\r\n");
  }
  void changedUnnamed() { editor.type("\tnop\r\n"); }
  void answer(Answer a) { prompt.answers.push_back(a); }

  void expectConfirmSaveAsked(std::size_t times = 1) {
    ASSERT_EQ(prompt.shown.size(), times);
    for (const auto& box : prompt.shown) {
      EXPECT_EQ(box.text, "Source file is changed.\n\r\n\rDo you want to save source file?");
      EXPECT_EQ(box.caption, "Save");
      EXPECT_EQ(box.icon, tavrin::Icon::Question);
      EXPECT_EQ(box.buttons, tavrin::Buttons::YesNoCancel);
    }
  }
};

// New

TEST_F(FileCommandsTest, NewOnAnUnchangedDocumentEmptiesAtOnce) {
  fs.files["a.z80"] = "ret";
  doc.openSourceFile("a.z80");
  const std::string date = view.dateText;
  commands.newSource();
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(state(), (State{"", "NoName", "", 0, false}));
  EXPECT_EQ(view.dateText, date);
}

TEST_F(FileCommandsTest, NewAnsweredCancelChangesNothing) {
  changedNamed();
  const State before = state();
  answer(Answer::Cancel);
  commands.newSource();
  expectConfirmSaveAsked();
  EXPECT_EQ(state(), before);
  EXPECT_EQ(fs.writes, 0);
}

TEST_F(FileCommandsTest, NewAnsweredNoEmptiesAndLeavesSaveEnabled) {
  changedNamed();
  answer(Answer::No);
  commands.newSource();
  EXPECT_EQ(state(), (State{"", "NoName", "", 0, true}));
  EXPECT_EQ(fs.writes, 0);
}

TEST_F(FileCommandsTest, NewAnsweredYesSavesAndKeepsTheText) {
  changedNamed();
  answer(Answer::Yes);
  commands.newSource();
  EXPECT_EQ(fs.files["a.z80"], "ret\tnop\r\n");
  EXPECT_EQ(state(), (State{"ret\tnop\r\n", "a.z80", "a.z80", 0, false}));
}

TEST_F(FileCommandsTest, NewAnsweredYesOnAnUnnamedDocumentAsksForAName) {
  changedUnnamed();
  const State before = state();
  answer(Answer::Yes);
  commands.newSource(); // Save dialog cancelled
  EXPECT_EQ(saveDialog.shown, 1);
  EXPECT_EQ(state(), before);

  answer(Answer::Yes);
  saveDialog.answers.push_back("C:\\new.z80");
  commands.newSource();
  EXPECT_EQ(saveDialog.shown, 2);
  EXPECT_EQ(fs.files["C:\\new.z80"], "\tnop\r\n");
  EXPECT_EQ(state(), (State{"\tnop\r\n", "C:\\new.z80", "C:\\new.z80", 0, false}));
}

TEST_F(FileCommandsTest, NewAnsweredYesWithAFileErrorStopsWithTheError) {
  changedNamed();
  const State before = state();
  fs.failCreates = true;
  answer(Answer::Yes);
  EXPECT_THROW(commands.newSource(), tavrin::Error);
  EXPECT_EQ(state(), before);
}

// Open

TEST_F(FileCommandsTest, OpenOnAnUnchangedDocumentAsksNothing) {
  fs.files["a.z80"] = "ret";
  fs.files["b.z80"] = "nop";
  doc.openSourceFile("a.z80");
  openDialog.answers.push_back("b.z80");
  commands.open();
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(state(), (State{"nop", "b.z80", "b.z80", 0, false}));
}

TEST_F(FileCommandsTest, OpenWithUnsavedChanges) {
  struct Case {
    const char* name;
    bool named;
    Answer answer;
    std::optional<std::string> saveAs; // the Save dialog's answer, if it is shown
    bool opened;
    const char* savedPath;
  };
  const Case cases[] = {
      {"cancel", true, Answer::Cancel, std::nullopt, false, nullptr},
      {"no", true, Answer::No, std::nullopt, true, nullptr},
      {"yes, named", true, Answer::Yes, std::nullopt, true, "a.z80"},
      {"yes, unnamed, saved", false, Answer::Yes, "C:\\n.z80", true, "C:\\n.z80"},
      {"yes, unnamed, dialog cancelled", false, Answer::Yes, std::nullopt, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tavrin::fakes::FakeEditor editor;
    tavrin::fakes::FakeDocumentView view;
    tavrin::fakes::FakeFileSystem fs;
    tavrin::fakes::FakePrompt prompt;
    tavrin::fakes::FakeFileDialog openDialog, saveDialog;
    tavrin::EditorDocument doc{editor, view, fs};
    tavrin::FileCommands commands{doc, prompt, openDialog, saveDialog};
    fs.files["a.z80"] = "ret";
    fs.files["b.z80"] = "nop";
    if (c.named) doc.openSourceFile("a.z80");
    editor.type("x");
    const std::string captionBefore = view.caption;
    prompt.answers.push_back(c.answer);
    if (c.saveAs) saveDialog.answers.push_back(*c.saveAs);
    openDialog.answers.push_back("b.z80");

    commands.open();

    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(openDialog.shown, c.opened ? 1 : 0);
    EXPECT_EQ(fs.writes, c.savedPath ? 1 : 0);
    if (c.savedPath) {
      EXPECT_EQ(fs.files[c.savedPath], c.named ? "xret" : "x");
    }
    if (c.opened) {
      EXPECT_EQ(editor.content, "nop");
      EXPECT_EQ(view.caption, "b.z80");
      EXPECT_EQ(doc.sourceChanged(), 0);
    } else {
      EXPECT_EQ(editor.content, c.named ? "xret" : "x");
      EXPECT_EQ(view.caption, captionBefore);
      EXPECT_EQ(doc.sourceChanged(), 1);
    }
  }
}

TEST_F(FileCommandsTest, OpenStopsWhenTheSaveBeforeItFails) {
  changedNamed();
  const State before = state();
  fs.failWrites = true;
  answer(Answer::Yes);
  openDialog.answers.push_back("a.z80");
  EXPECT_THROW(commands.open(), tavrin::Error);
  EXPECT_EQ(openDialog.shown, 0);
  EXPECT_EQ(state(), before);
  EXPECT_EQ(fs.files["a.z80"], "ret");
}

TEST_F(FileCommandsTest, OpenDialogCancelledOpensNothing) {
  changedNamed();
  const State before = state();
  answer(Answer::No);
  commands.open();
  EXPECT_EQ(openDialog.shown, 1);
  EXPECT_EQ(state(), before);
}

TEST_F(FileCommandsTest, OpeningAMissingFileRaisesTheErrorAndChangesNothing) {
  changedNamed();
  const State before = state();
  answer(Answer::No);
  openDialog.answers.push_back("C:\\gone.z80");
  try {
    commands.open();
    FAIL() << "no error";
  } catch (const tavrin::Error& e) {
    EXPECT_EQ(tavrin::withFullStop(e.what()),
              "Cannot open file \"C:\\gone.z80\". The system cannot find the file specified.");
  }
  EXPECT_EQ(state(), before);
}

// Save and Save as

TEST_F(FileCommandsTest, SaveOfANamedDocumentWritesInPlace) {
  changedNamed();
  EXPECT_EQ(commands.save(), SaveOutcome::Saved);
  EXPECT_EQ(saveDialog.shown, 0);
  EXPECT_EQ(fs.files["a.z80"], "ret\tnop\r\n");
  EXPECT_EQ(state(), (State{"ret\tnop\r\n", "a.z80", "a.z80", 0, false}));
}

TEST_F(FileCommandsTest, SaveOfAnUnnamedDocumentIsSaveAs) {
  changedUnnamed();
  const State before = state();
  EXPECT_EQ(commands.save(), SaveOutcome::Cancelled);
  EXPECT_EQ(state(), before);
  saveDialog.answers.push_back("C:\\s.z80");
  EXPECT_EQ(commands.save(), SaveOutcome::Saved);
  EXPECT_EQ(fs.files["C:\\s.z80"], "\tnop\r\n");
  EXPECT_EQ(state(), (State{"\tnop\r\n", "C:\\s.z80", "C:\\s.z80", 0, false}));
}

TEST_F(FileCommandsTest, SaveAsAlwaysAsksAndRenames) {
  changedNamed();
  saveDialog.answers.push_back("C:\\copy.z80");
  EXPECT_EQ(commands.saveAs(), SaveOutcome::Saved);
  EXPECT_EQ(fs.files["C:\\copy.z80"], "ret\tnop\r\n");
  EXPECT_EQ(fs.files["a.z80"], "ret");
  EXPECT_EQ(state(), (State{"ret\tnop\r\n", "C:\\copy.z80", "C:\\copy.z80", 0, false}));

  const State before = state();
  EXPECT_EQ(commands.saveAs(), SaveOutcome::Cancelled);
  EXPECT_EQ(state(), before);
}

TEST_F(FileCommandsTest, FileErrorsWhileSavingLeaveTheDocumentAlone) {
  changedNamed();
  const State before = state();
  fs.failCreates = true;
  try {
    commands.save();
    FAIL() << "no error";
  } catch (const tavrin::Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file \"C:\\work\\a.z80\". Access is denied");
  }
  EXPECT_EQ(state(), before);

  fs.failCreates = false;
  fs.failWrites = true;
  saveDialog.answers.push_back("b.z80");
  try {
    commands.saveAs();
    FAIL() << "no error";
  } catch (const tavrin::Error& e) {
    EXPECT_EQ(std::string(e.what()), "Stream write error");
  }
  EXPECT_EQ(state(), before);
}

// Closing

TEST_F(FileCommandsTest, ClosingAnUnchangedDocumentAsksNothing) {
  fs.files["a.z80"] = "ret";
  doc.openSourceFile("a.z80");
  EXPECT_TRUE(commands.confirmClose());
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(FileCommandsTest, ClosingWithUnsavedChanges) {
  struct Case {
    const char* name;
    bool named;
    Answer answer;
    std::optional<std::string> saveAs;
    bool mayClose;
    int writes;
  };
  const Case cases[] = {
      {"cancel", true, Answer::Cancel, std::nullopt, false, 0},
      {"no", true, Answer::No, std::nullopt, true, 0},
      {"yes, named", true, Answer::Yes, std::nullopt, true, 1},
      {"yes, unnamed, saved", false, Answer::Yes, "C:\\n.z80", true, 1},
      {"yes, unnamed, dialog cancelled", false, Answer::Yes, std::nullopt, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tavrin::fakes::FakeEditor editor;
    tavrin::fakes::FakeDocumentView view;
    tavrin::fakes::FakeFileSystem fs;
    tavrin::fakes::FakePrompt prompt;
    tavrin::fakes::FakeFileDialog openDialog, saveDialog;
    tavrin::EditorDocument doc{editor, view, fs};
    tavrin::FileCommands commands{doc, prompt, openDialog, saveDialog};
    fs.files["a.z80"] = "ret";
    if (c.named) doc.openSourceFile("a.z80");
    editor.type("x");
    prompt.answers.push_back(c.answer);
    if (c.saveAs) saveDialog.answers.push_back(*c.saveAs);

    EXPECT_EQ(commands.confirmClose(), c.mayClose);
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(fs.writes, c.writes);
    EXPECT_EQ(doc.sourceChanged(), c.writes ? 0 : 1);
    EXPECT_EQ(editor.content, c.named ? "xret" : "x");
  }
}

TEST_F(FileCommandsTest, ClosingStopsOnAFileErrorWhileSaving) {
  changedNamed();
  const State before = state();
  fs.failCreates = true;
  answer(Answer::Yes);
  EXPECT_THROW(commands.confirmClose(), tavrin::Error);
  EXPECT_EQ(state(), before);
  expectConfirmSaveAsked();
}

TEST_F(FileCommandsTest, EveryPromptIsTheConfirmSaveBox) {
  changedNamed();
  answer(Answer::Cancel);
  commands.newSource();
  answer(Answer::Cancel);
  commands.open();
  answer(Answer::Cancel);
  EXPECT_FALSE(commands.confirmClose());
  expectConfirmSaveAsked(3);
}

} // namespace
