#include "build/compile.h"

#include "core/error.h"
#include "fakes/fake_prompt.h"
#include "fakes/fake_script_runner.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace tavrin {
namespace {

using fakes::FakePrompt;
using fakes::FakeScriptRunner;

const char* const kConfirmText = "You will need to save source file before compiling.\n\r\n\r"
                                 "Do you want to save source file now?";

struct FakeHost : CompileHost {
  int changed = 0;
  std::string bar = "c:\\src\\prog.z80";
  std::string fileName = "c:\\src\\prog.z80";
  std::string folder = "d:\\kit\\";
  int saves = 0, configurations = 0;
  std::function<void()> onSave;          // what the Save command does
  std::function<void()> onConfiguration; // what the user does in the dialog

  int sourceChanged() const override { return changed; }
  std::string nameBar() const override { return bar; }
  std::string sourceFileName() const override { return fileName; }
  void runSave() override {
    ++saves;
    if (onSave) onSave();
  }
  std::string asmBatDir() const override { return folder; }
  void setAsmBatDir(const std::string& f) override { folder = f; }
  void showConfiguration() override {
    ++configurations;
    if (onConfiguration) onConfiguration();
  }
};

struct CompileTest : ::testing::Test {
  FakeHost host;
  std::set<std::string> files{"d:\\kit\\go.bat"};
  FakePrompt mainPrompt, appPrompt;
  FakeScriptRunner runner;
  Compile compile{host, [this](const std::string& p) { return files.count(p) != 0; }, mainPrompt,
                  runner, appPrompt};

  void expectLaunched(const std::string& script, const std::string& parameters) {
    ASSERT_EQ(runner.launches.size(), 1u);
    EXPECT_EQ(runner.launches[0].script, script);
    EXPECT_EQ(runner.launches[0].parameters, parameters);
  }
};

TEST_F(CompileTest, UnchangedNamedSourceLaunchesAtOnce) {
  compile.SpeedButton3Click();
  EXPECT_TRUE(mainPrompt.shown.empty());
  EXPECT_EQ(host.saves, 0);
  expectLaunched("d:\\kit\\go.bat", "c:\\src\\prog");
  EXPECT_EQ(compile.compileBaseName(), "c:\\src\\prog");
}

TEST_F(CompileTest, PathWithSpacesIsPassedUnquoted) {
  host.bar = host.fileName = "c:\\my files\\a b.z80";
  compile.SpeedButton3Click();
  expectLaunched("d:\\kit\\go.bat", "c:\\my files\\a b");
}

TEST_F(CompileTest, ChangedOrUnnamedSourceAsksFirst) {
  struct Case {
    int changed;
    std::string bar;
    Answer answer;
    bool launched;
  } cases[] = {
      {1, "c:\\src\\prog.z80 *", Answer::Ok, true},
      {0, "NoName", Answer::Ok, true},
      {1, "c:\\src\\prog.z80 *", Answer::Cancel, false},
      {0, "NoName", Answer::Cancel, false},
  };
  for (const auto& c : cases) {
    FakeHost h;
    h.changed = c.changed;
    h.bar = c.bar;
    h.onSave = [&h] { h.changed = 0; };
    FakePrompt p, app;
    FakeScriptRunner r;
    Compile cmd{h, [this](const std::string& f) { return files.count(f) != 0; }, p, r, app};
    p.answers = {c.answer};
    cmd.SpeedButton3Click();
    ASSERT_EQ(p.shown.size(), 1u);
    EXPECT_EQ(p.shown[0].text, kConfirmText);
    EXPECT_EQ(p.shown[0].caption, "Confirm");
    EXPECT_EQ(p.shown[0].icon, Icon::Question);
    EXPECT_EQ(p.shown[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(h.saves, c.launched ? 1 : 0) << c.bar;
    EXPECT_EQ(r.launches.size(), c.launched ? 1u : 0u) << c.bar;
  }
}

TEST_F(CompileTest, LaunchesEvenWhenTheSaveLeftTheSourceChanged) {
  host.changed = 1;
  compile.SpeedButton3Click(); // the save does nothing, as when the write was refused silently
  EXPECT_EQ(host.saves, 1);
  expectLaunched("d:\\kit\\go.bat", "c:\\src\\prog");
}

TEST_F(CompileTest, CancelledSaveDialogLaunchesNothing) {
  host.bar = "NoName";
  host.fileName = "";
  compile.SpeedButton3Click();
  EXPECT_EQ(host.saves, 1);
  EXPECT_TRUE(runner.launches.empty());
}

TEST_F(CompileTest, UnnamedSourceSavedUnderANameLaunchesWithIt) {
  host.bar = "NoName";
  host.fileName = "";
  host.onSave = [this] { host.fileName = "c:\\new.z80"; };
  compile.SpeedButton3Click();
  expectLaunched("d:\\kit\\go.bat", "c:\\new");
}

TEST_F(CompileTest, FileErrorInTheSaveEndsTheCommand) {
  host.changed = 1;
  host.onSave = [] { throw Error("Cannot create file c:\\src\\prog.z80"); };
  EXPECT_THROW(compile.SpeedButton3Click(), Error);
  EXPECT_TRUE(runner.launches.empty());
}

TEST_F(CompileTest, EmptyFolderFallsBackToCompileFolder) {
  host.folder = "";
  files = {"compile\\go.bat"};
  compile.SpeedButton3Click();
  EXPECT_EQ(host.folder, "compile\\");
  EXPECT_EQ(host.configurations, 0);
  expectLaunched("compile\\go.bat", "c:\\src\\prog");
}

TEST_F(CompileTest, MissingScriptOpensConfigurationThenStopsWhenStillMissing) {
  host.folder = "";
  files.clear();
  host.changed = 1;
  compile.SpeedButton3Click();
  EXPECT_EQ(host.configurations, 1);
  EXPECT_TRUE(mainPrompt.shown.empty());
  EXPECT_TRUE(appPrompt.shown.empty());
  EXPECT_TRUE(runner.launches.empty());
}

TEST_F(CompileTest, MissingScriptConfiguredInTheDialogGoesOnWithTheSavePrompt) {
  host.folder = "x:\\nowhere\\";
  host.changed = 1;
  host.onConfiguration = [this] { host.folder = "d:\\kit\\"; };
  mainPrompt.answers = {Answer::Ok};
  compile.SpeedButton3Click();
  EXPECT_EQ(host.configurations, 1);
  ASSERT_EQ(mainPrompt.shown.size(), 1u);
  EXPECT_EQ(mainPrompt.shown[0].caption, "Confirm");
  EXPECT_EQ(host.saves, 1);
  expectLaunched("d:\\kit\\go.bat", "c:\\src\\prog");
}

TEST_F(CompileTest, ScriptThatCannotStartIsReported) {
  runner.result = Launch{false, "The system cannot find the file specified.\r\n", false};
  compile.SpeedButton3Click();
  ASSERT_EQ(mainPrompt.shown.size(), 1u);
  EXPECT_EQ(mainPrompt.shown[0].text, "Cannot start the build script d:\\kit\\go.bat. "
                                      "The system cannot find the file specified.");
  EXPECT_EQ(mainPrompt.shown[0].caption, "Error");
  EXPECT_EQ(mainPrompt.shown[0].icon, Icon::Error);
  EXPECT_EQ(mainPrompt.shown[0].buttons, Buttons::Ok);
  EXPECT_EQ(compile.runsUnderWay(), 0u);

  runner.result = Launch{false, "Access denied", false};
  compile.SpeedButton3Click();
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
    compile.SpeedButton3Click();
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
  compile.SpeedButton3Click();
  host.bar = host.fileName = "c:\\src\\other.z80";
  compile.SpeedButton3Click();
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
  compile.SpeedButton3Click();
  ASSERT_EQ(runner.launches.size(), 1u);
  EXPECT_EQ(compile.runsUnderWay(), 0u);
  compile.runFinished(runner.launches[0].id);
  EXPECT_TRUE(appPrompt.shown.empty());
  EXPECT_TRUE(mainPrompt.shown.empty());
}

} // namespace
} // namespace tavrin
