#include "build/compile.h"

#include "core/error.h"
#include "fakes/fake_document_view.h"
#include "fakes/fake_editor.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_prompt.h"
#include "fakes/fake_script_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace tavrin {
namespace {

using fakes::FakePrompt;
using fakes::FakeScriptRunner;

const char* const kConfirmText = "You will need to save source file before compiling.\n\r\n\r"
                                 "Do you want to save source file now?";

// Compile over the real document and file commands, on fakes of the platform.
struct Workbench {
  fakes::FakeEditor editor;
  fakes::FakeDocumentView view;
  fakes::FakeFileSystem fs;
  EditorDocument doc{editor, view, fs};
  FakePrompt mainPrompt, appPrompt;
  fakes::FakeFileDialog openDialog, saveDialog;
  FileCommands commands{doc, mainPrompt, openDialog, saveDialog};
  ScriptFolder setting;
  std::set<std::string> files{"d:\\kit\\go.bat"};
  FakeScriptRunner runner;
  int configurations = 0;
  std::function<void()> onConfiguration; // what the user does in the dialog
  Compile compile{doc,
                  commands,
                  setting,
                  [this](const std::string& p) { return files.count(p) != 0; },
                  mainPrompt,
                  runner,
                  appPrompt,
                  [this] {
                    ++configurations;
                    if (onConfiguration) onConfiguration();
                  }};

  Workbench() {
    setting.set("d:\\kit\\");
    named("c:\\src\\prog.z80");
  }
  void named(const std::string& path) { doc.markClean(path); }
  void unnamed() { doc.resetToNew(); }
  void change() { editor.type("x"); }
  // Runs of the Save command, in tests that run it at most once: each writes the
  // file, shows the Save dialog, or both.
  int saves() const { return std::max(fs.writes, saveDialog.shown); }
};

struct CompileTest : ::testing::Test, Workbench {
  void expectLaunched(const std::string& script, const std::string& parameters) {
    ASSERT_EQ(runner.launches.size(), 1u);
    EXPECT_EQ(runner.launches[0].script, script);
    EXPECT_EQ(runner.launches[0].parameters, parameters);
  }
};

TEST_F(CompileTest, UnchangedNamedSourceLaunchesAtOnce) {
  compile.run();
  EXPECT_TRUE(mainPrompt.shown.empty());
  EXPECT_EQ(saves(), 0);
  expectLaunched("d:\\kit\\go.bat", "c:\\src\\prog");
  EXPECT_EQ(compile.compileBaseName(), "c:\\src\\prog");
}

TEST_F(CompileTest, PathWithSpacesIsPassedUnquoted) {
  named("c:\\my files\\a b.z80");
  compile.run();
  expectLaunched("d:\\kit\\go.bat", "c:\\my files\\a b");
}

TEST_F(CompileTest, ChangedOrUnnamedSourceAsksFirst) {
  struct Case {
    bool changed;
    bool named;
    Answer answer;
    bool launched;
  } cases[] = {
      {true, true, Answer::Ok, true},
      {false, false, Answer::Ok, true},
      {true, true, Answer::Cancel, false},
      {false, false, Answer::Cancel, false},
  };
  for (const auto& c : cases) {
    Workbench w;
    if (!c.named) w.unnamed();
    if (c.changed) w.change();
    w.saveDialog.answers = {"c:\\src\\new.z80"};
    w.mainPrompt.answers = {c.answer};
    w.compile.run();
    const std::string bar = c.named ? "named" : "NoName";
    ASSERT_EQ(w.mainPrompt.shown.size(), 1u);
    EXPECT_EQ(w.mainPrompt.shown[0].text, kConfirmText);
    EXPECT_EQ(w.mainPrompt.shown[0].caption, "Confirm");
    EXPECT_EQ(w.mainPrompt.shown[0].icon, Icon::Question);
    EXPECT_EQ(w.mainPrompt.shown[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(w.saves(), c.launched ? 1 : 0) << bar;
    EXPECT_EQ(w.runner.launches.size(), c.launched ? 1u : 0u) << bar;
  }
}

TEST_F(CompileTest, ChangedNamedSourceIsSavedInPlaceThenLaunched) {
  change();
  mainPrompt.answers = {Answer::Ok};
  compile.run();
  EXPECT_EQ(saves(), 1);
  EXPECT_EQ(fs.files["c:\\src\\prog.z80"], "x");
  EXPECT_EQ(doc.sourceChanged(), 0);
  expectLaunched("d:\\kit\\go.bat", "c:\\src\\prog");
}

TEST_F(CompileTest, CancelledSaveDialogLaunchesNothing) {
  unnamed();
  mainPrompt.answers = {Answer::Ok};
  compile.run();
  EXPECT_EQ(saves(), 1);
  EXPECT_TRUE(runner.launches.empty());
}

TEST_F(CompileTest, UnnamedSourceSavedUnderANameLaunchesWithIt) {
  unnamed();
  mainPrompt.answers = {Answer::Ok};
  saveDialog.answers = {"c:\\new.z80"};
  compile.run();
  expectLaunched("d:\\kit\\go.bat", "c:\\new");
}

TEST_F(CompileTest, FileErrorInTheSaveEndsTheCommand) {
  change();
  mainPrompt.answers = {Answer::Ok};
  fs.failCreates = true;
  EXPECT_THROW(compile.run(), Error);
  EXPECT_TRUE(runner.launches.empty());
}

TEST_F(CompileTest, EmptyFolderFallsBackToCompileFolder) {
  setting.set("");
  files = {"compile\\go.bat"};
  compile.run();
  EXPECT_EQ(setting.get(), "compile\\");
  EXPECT_EQ(configurations, 0);
  expectLaunched("compile\\go.bat", "c:\\src\\prog");
}

TEST_F(CompileTest, MissingScriptOpensConfigurationThenStopsWhenStillMissing) {
  setting.set("");
  files.clear();
  change();
  compile.run();
  EXPECT_EQ(configurations, 1);
  EXPECT_TRUE(mainPrompt.shown.empty());
  EXPECT_TRUE(appPrompt.shown.empty());
  EXPECT_TRUE(runner.launches.empty());
}

TEST_F(CompileTest, MissingScriptConfiguredInTheDialogGoesOnWithTheSavePrompt) {
  setting.set("x:\\nowhere\\");
  change();
  onConfiguration = [this] { setting.set("d:\\kit\\"); };
  mainPrompt.answers = {Answer::Ok};
  compile.run();
  EXPECT_EQ(configurations, 1);
  ASSERT_EQ(mainPrompt.shown.size(), 1u);
  EXPECT_EQ(mainPrompt.shown[0].caption, "Confirm");
  EXPECT_EQ(saves(), 1);
  expectLaunched("d:\\kit\\go.bat", "c:\\src\\prog");
}

TEST_F(CompileTest, ScriptThatCannotStartIsReported) {
  runner.result = Launch{false, "The system cannot find the file specified.\r\n", false};
  compile.run();
  ASSERT_EQ(mainPrompt.shown.size(), 1u);
  EXPECT_EQ(mainPrompt.shown[0].text, "Cannot start the build script d:\\kit\\go.bat. "
                                      "The system cannot find the file specified.");
  EXPECT_EQ(mainPrompt.shown[0].caption, "Error");
  EXPECT_EQ(mainPrompt.shown[0].icon, Icon::Error);
  EXPECT_EQ(mainPrompt.shown[0].buttons, Buttons::Ok);
  EXPECT_EQ(compile.runsUnderWay(), 0u);

  runner.result = Launch{false, "Access denied", false};
  compile.run();
  EXPECT_EQ(mainPrompt.shown.back().text,
            "Cannot start the build script d:\\kit\\go.bat. Access denied.");
}

TEST_F(CompileTest, ResultOfARunIsReportedOnceByTheOutputsTime) {
  const UtcTime start = 1000 * kUtcTicksPerSecond;
  const std::string out = "c:\\src\\prog.83p";
  struct Case {
    const char* name;
    std::optional<UtcTime> written;
    bool success;
  } cases[] = {
      {"written after the start", start + kUtcTicksPerSecond, true},
      {"stamped within the two-second step", start - 2 * kUtcTicksPerSecond, true},
      {"left by an earlier build", start - 2 * kUtcTicksPerSecond - 1, false},
      {"not written at all", std::nullopt, false},
  };
  for (const auto& c : cases) {
    runner.launches.clear();
    appPrompt.shown.clear();
    runner.files.clear();
    runner.clock = start;
    compile.run();
    ASSERT_EQ(runner.launches.size(), 1u);
    if (c.written) runner.files[out] = *c.written;
    runner.clock = start + 60 * kUtcTicksPerSecond;
    const RunId id = runner.launches[0].id;
    compile.runFinished(id);
    compile.runFinished(id);
    ASSERT_EQ(appPrompt.shown.size(), 1u) << c.name;
    if (c.success) {
      EXPECT_EQ(appPrompt.shown[0].text, "Source file is succesfully compiled to " + out);
      EXPECT_EQ(appPrompt.shown[0].caption, "Information");
      EXPECT_EQ(appPrompt.shown[0].icon, Icon::Information);
    } else {
      EXPECT_EQ(appPrompt.shown[0].text, "An error acquired while compiling the source file.")
          << c.name;
      EXPECT_EQ(appPrompt.shown[0].caption, "Error");
      EXPECT_EQ(appPrompt.shown[0].icon, Icon::Error);
    }
    EXPECT_TRUE(mainPrompt.shown.empty());
  }
}

TEST_F(CompileTest, SeveralRunsEachReportTheirOwnOutputOnce) {
  runner.clock = 50 * kUtcTicksPerSecond;
  compile.run();
  named("c:\\src\\other.z80");
  compile.run();
  ASSERT_EQ(runner.launches.size(), 2u);
  EXPECT_NE(runner.launches[0].id, runner.launches[1].id);
  EXPECT_EQ(compile.runsUnderWay(), 2u);

  runner.files["c:\\src\\other.83p"] = runner.clock + 1;
  compile.runFinished(runner.launches[1].id);
  compile.runFinished(runner.launches[0].id);
  compile.runFinished(12345); // never started
  ASSERT_EQ(appPrompt.shown.size(), 2u);
  EXPECT_EQ(appPrompt.shown[0].text, "Source file is succesfully compiled to c:\\src\\other.83p");
  EXPECT_EQ(appPrompt.shown[1].caption, "Error");
  EXPECT_EQ(compile.runsUnderWay(), 0u);
}

TEST_F(CompileTest, UntrackedRunGetsNoResultCheck) {
  runner.result = Launch{true, "", false};
  compile.run();
  ASSERT_EQ(runner.launches.size(), 1u);
  EXPECT_EQ(compile.runsUnderWay(), 0u);
  compile.runFinished(runner.launches[0].id);
  EXPECT_TRUE(appPrompt.shown.empty());
  EXPECT_TRUE(mainPrompt.shown.empty());
}

} // namespace
} // namespace tavrin
