// The build-script setting, the Configuration dialog and Compile, driven through the
// app's windows with a real go.bat that records how it was called. The setting lives
// in the test prefix's registry; each test sets what it needs and puts it back.
#include "e2e/driver.h"

#include "resource.h"

#include <gtest/gtest.h>

namespace {

using e2e::App;
using e2e::Box;
using e2e::quoted;
using e2e::TempFolder;

const char kSettingKey[] = "Software\\Molvane\\Z80";
const char kConfirmText[] = "You will need to save source file before compiling.\n\r\n\r"
                            "Do you want to save source file now?";
const char kFailedText[] = "An error acquired while compiling the source file.";

std::string withoutBackslash(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// go.bat writes one line per call into calls.txt beside itself: "[%1] [%*]". The one
// that builds writes "%*.83p", the program the source's base name asks for.
std::string goBat(bool writesProgram) {
  std::string script = "@echo off\r\n"
                       "echo [%1] [%*]>>\"%~dp0calls.txt\"\r\n";
  if (writesProgram) script += "echo built>\"%*.83p\"\r\n";
  return script;
}

class BuildTest : public testing::Test {
protected:
  e2e::RegistryValue setting_{HKEY_LOCAL_MACHINE, kSettingKey, "asmbatdir"};
  TempFolder scripts_; // go.bat and calls.txt
  TempFolder sources_; // the sources, and the folder the app starts in

  std::string callsIn(const std::string& folder) const {
    return e2e::fileExists(folder + "calls.txt") ? e2e::readFile(folder + "calls.txt") : "";
  }
  std::string calls() const { return callsIn(scripts_.path()); }
  bool waitCalls(const std::string& expected) const {
    return e2e::eventually([&] { return calls() == expected; });
  }

  // The Configuration dialog, opened from the Options menu.
  HWND openConfiguration(const App& app) const {
    app.command(IDM_MAIN_CONFIGURATION1);
    return app.waitWindow("TForm3", "Configuration");
  }
  static std::string field(HWND dialog) {
    return e2e::windowText(e2e::descendant(dialog, IDC_CONFIG_EDIT1));
  }
  static bool warningShown(HWND dialog) {
    return IsWindowVisible(e2e::descendant(dialog, IDC_CONFIG_LABEL1)) != FALSE;
  }
  static void waitHidden(HWND window, const std::string& what) {
    e2e::waitUntil([&] { return !IsWindowVisible(window); }, what + " to close");
  }
  // The report of a finished run: a box owned by the application window.
  static Box waitResult(const App& app) { return app.waitBox(app.appWindow(), "", 20000); }
  static void expectCompiled(const Box& box, const std::string& base) {
    EXPECT_EQ(box.caption(), "Information");
    EXPECT_EQ(box.text(), "Source file is succesfully compiled to " + base + ".83p");
  }
};

// --- the Configuration dialog -----------------------------------------------------------

TEST_F(BuildTest, ConfigurationShowsTheStoredFolderAndKeepsItsFieldOnClose) {
  scripts_.file("go.bat", goBat(true));
  setting_.setString(scripts_.path());
  App app("", sources_.path());
  HWND dialog = openConfiguration(app);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 187);
  EXPECT_EQ(client.bottom, 108);
  EXPECT_EQ(field(dialog), scripts_.path());
  EXPECT_FALSE(warningShown(dialog));
  EXPECT_EQ(e2e::windowText(e2e::descendant(dialog, IDC_CONFIG_CAPTION)),
            "Locate asm.bat for compilation:");
  EXPECT_EQ(e2e::windowText(e2e::descendant(dialog, IDC_CONFIG_LABEL1)),
            "!!! GO.BAT WAS NOT FOUND !!!");

  // Close stores nothing; the typed text is still there the next time.
  app.setText(e2e::descendant(dialog, IDC_CONFIG_EDIT1), "d:\\typed");
  app.commandTo(dialog, IDC_CONFIG_SPEEDBUTTON3);
  waitHidden(dialog, "the Configuration dialog");
  EXPECT_EQ(setting_.readString(), scripts_.path());
  EXPECT_EQ(openConfiguration(app), dialog);
  EXPECT_EQ(field(dialog), "d:\\typed");
  app.commandTo(dialog, IDC_CONFIG_SPEEDBUTTON3);
  waitHidden(dialog, "the Configuration dialog");
}

TEST_F(BuildTest, BrowseCancelledEmptiesTheFieldAndShowsTheWarning) {
  scripts_.file("go.bat", goBat(true));
  setting_.setString(scripts_.path());
  App app("", sources_.path());
  HWND dialog = openConfiguration(app);
  ASSERT_FALSE(warningShown(dialog));
  app.commandTo(dialog, IDC_CONFIG_SPEEDBUTTON1);
  Box browser = app.waitBox(app.appWindow(), "Browse for Folder");
  EXPECT_EQ(e2e::windowText(GetDlgItem(browser.hwnd(), 0x3742)), "Select folder");
  browser.press(IDCANCEL);
  browser.waitClosed("the folder browser");
  EXPECT_TRUE(e2e::eventually([&] { return field(dialog).empty(); })) << field(dialog);
  EXPECT_TRUE(warningShown(dialog));
  EXPECT_TRUE(IsWindowVisible(dialog));
  app.commandTo(dialog, IDC_CONFIG_SPEEDBUTTON3);
  waitHidden(dialog, "the Configuration dialog");
}

TEST_F(BuildTest, BrowseChoosesAFolderAddsTheBackslashAndHidesTheWarning) {
  scripts_.file("go.bat", goBat(true));
  setting_.remove();
  App app("", sources_.path());
  HWND dialog = openConfiguration(app);
  EXPECT_EQ(field(dialog), "c:\\");
  EXPECT_TRUE(warningShown(dialog)); // no c:\go.bat in the test prefix
  app.commandTo(dialog, IDC_CONFIG_SPEEDBUTTON1);
  app.chooseFolder(withoutBackslash(scripts_.path()));
  EXPECT_TRUE(e2e::eventually([&] { return field(dialog) == scripts_.path(); })) << field(dialog);
  EXPECT_FALSE(warningShown(dialog));
  // Browsing stores nothing.
  EXPECT_EQ(setting_.read(), std::nullopt);
  app.commandTo(dialog, IDC_CONFIG_SPEEDBUTTON3);
  waitHidden(dialog, "the Configuration dialog");
}

// Save adds the backslash in the field, in the registry and in the folder Compile
// uses: the script in the saved folder is the one that runs.
TEST_F(BuildTest, SaveAddsTheBackslashToFieldRegistryAndCompileFolder) {
  scripts_.file("go.bat", goBat(true));
  setting_.remove();
  const std::string source = sources_.file("prog.z80", "\tret\r\n");
  App app(quoted(source), sources_.path());
  HWND dialog = openConfiguration(app);
  app.setText(e2e::descendant(dialog, IDC_CONFIG_EDIT1), withoutBackslash(scripts_.path()));
  app.commandTo(dialog, IDC_CONFIG_SPEEDBUTTON2);
  Box saved = app.waitBox(dialog);
  EXPECT_EQ(saved.caption(), "Information");
  EXPECT_EQ(saved.text(), "Directory is succesfully saved!");
  EXPECT_EQ(field(dialog), scripts_.path());
  saved.press(IDOK);
  saved.waitClosed("the saved message");
  waitHidden(dialog, "the Configuration dialog");
  EXPECT_EQ(setting_.readString(), scripts_.path());

  app.command(IDC_MAIN_SPEEDBUTTON3);
  const std::string base = sources_.path() + "prog";
  Box result = waitResult(app);
  expectCompiled(result, base);
  EXPECT_EQ(calls(), "[" + base + "] [" + base + "]\r\n");
}

// --- Compile ----------------------------------------------------------------------------

struct RunCase {
  const char* name;
  const char* subfolder; // "" or a folder below the sources, created first
  const char* file;
  bool scriptWrites;
  bool staleProgram; // a .83p from an old build lies there already
  bool succeeds;
};

void PrintTo(const RunCase& c, std::ostream* out) {
  *out << c.name;
}

class CompileRun : public BuildTest, public testing::WithParamInterface<RunCase> {};

// An unchanged, named source is handed over at once, without a prompt, as the path
// without its last four characters, unquoted; the result is reported when the
// script ends.
TEST_P(CompileRun, LaunchesAtOnceAndReportsTheResult) {
  const RunCase& c = GetParam();
  scripts_.file("go.bat", goBat(c.scriptWrites));
  setting_.setString(scripts_.path());
  std::string folder = sources_.path();
  if (*c.subfolder) {
    folder += std::string(c.subfolder) + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  }
  const std::string source = folder + c.file;
  e2e::writeFile(source, "\tret\r\n");
  const std::string base = source.substr(0, source.size() - 4);
  if (c.staleProgram) {
    e2e::writeFile(base + ".83p", "old");
    SYSTEMTIME old{2001, 1, 1, 1, 12, 0, 0, 0};
    e2e::setLastWrite(base + ".83p", old);
  }
  App app(quoted(source), sources_.path());
  app.command(IDC_MAIN_SPEEDBUTTON3);
  Box result = waitResult(app);
  if (c.succeeds) {
    expectCompiled(result, base);
  } else {
    EXPECT_EQ(result.caption(), "Error");
    EXPECT_EQ(result.text(), kFailedText);
  }
  // %1 is the first word of the path, %* the whole of it.
  EXPECT_EQ(calls(), "[" + base.substr(0, base.find(' ')) + "] [" + base + "]\r\n");
  result.press(IDOK);
  result.waitClosed("the result box");
  EXPECT_FALSE(app.findBox(app.main(), "Confirm").has_value());
  EXPECT_EQ(app.nameBar(), source);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompileRun,
    testing::Values(RunCase{"ScriptWritesTheProgram", "", "prog.z80", true, false, true},
                    RunCase{"ScriptWritesNothing", "", "prog.z80", false, false, false},
                    RunCase{"StaleProgramNotRewritten", "", "prog.z80", false, true, false},
                    RunCase{"StaleProgramRewritten", "", "prog.z80", true, true, true},
                    RunCase{"PathWithSpaces", "my sources", "my prog.z80", true, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BuildTest, ChangedSourceAsksToSaveFirst) {
  scripts_.file("go.bat", goBat(true));
  setting_.setString(scripts_.path());
  const std::string source = sources_.file("prog.z80", "ld\r\n");
  App app(quoted(source), sources_.path());
  app.select(2, 2);
  app.type("a");
  ASSERT_TRUE(app.waitNameBar(source + " *"));

  // Cancel: nothing saved, nothing run.
  app.command(IDC_MAIN_SPEEDBUTTON3);
  Box ask = app.waitBox(app.main(), "Confirm");
  EXPECT_EQ(ask.text(), kConfirmText);
  EXPECT_EQ(e2e::windowText(GetDlgItem(ask.hwnd(), IDOK)), "OK");
  EXPECT_EQ(e2e::windowText(GetDlgItem(ask.hwnd(), IDCANCEL)), "Cancel");
  EXPECT_EQ(GetDlgItem(ask.hwnd(), IDYES), nullptr);
  ask.press(IDCANCEL);
  ask.waitClosed("the Confirm box");
  Sleep(1000); // a run would have written its call by now
  EXPECT_EQ(calls(), "");
  EXPECT_EQ(app.nameBar(), source + " *");
  EXPECT_EQ(e2e::readFile(source), "ld\r\n");

  // OK: saved, then run on the saved file.
  app.command(IDC_MAIN_SPEEDBUTTON3);
  Box again = app.waitBox(app.main(), "Confirm");
  again.press(IDOK);
  again.waitClosed("the Confirm box");
  const std::string base = sources_.path() + "prog";
  Box result = waitResult(app);
  expectCompiled(result, base);
  EXPECT_EQ(calls(), "[" + base + "] [" + base + "]\r\n");
  EXPECT_EQ(e2e::readFile(source), "lda\r\n");
  EXPECT_EQ(app.nameBar(), source);
}

TEST_F(BuildTest, UnnamedSourceAsksToSaveAndRunsOnTheChosenName) {
  scripts_.file("go.bat", goBat(true));
  setting_.setString(scripts_.path());
  App app("", sources_.path());
  ASSERT_EQ(app.nameBar(), "NoName");
  app.command(IDC_MAIN_SPEEDBUTTON3);
  Box ask = app.waitBox(app.main(), "Confirm");
  EXPECT_EQ(ask.text(), kConfirmText);
  ask.press(IDOK);
  const std::string source = sources_.path() + "fresh.z80";
  app.chooseFile("Save As", source);
  const std::string base = sources_.path() + "fresh";
  Box result = waitResult(app);
  expectCompiled(result, base);
  EXPECT_EQ(calls(), "[" + base + "] [" + base + "]\r\n");
  EXPECT_TRUE(e2e::fileExists(source));
  EXPECT_EQ(app.nameBar(), source);
}

// With no folder set, the script is compile\go.bat below the folder the app started in.
TEST_F(BuildTest, WithoutSettingRunsCompileGoBatOfTheStartFolder) {
  setting_.remove();
  ASSERT_TRUE(CreateDirectoryA((sources_.path() + "compile").c_str(), nullptr));
  e2e::writeFile(sources_.path() + "compile\\go.bat", goBat(true));
  const std::string source = sources_.file("prog.z80", "\tret\r\n");
  App app(quoted(source), sources_.path());
  app.command(IDC_MAIN_SPEEDBUTTON3);
  const std::string base = sources_.path() + "prog";
  Box result = waitResult(app);
  expectCompiled(result, base);
  EXPECT_EQ(callsIn(sources_.path() + "compile\\"), "[" + base + "] [" + base + "]\r\n");
}

// A missing script opens the Configuration dialog; closing it with the script still
// missing runs nothing.
TEST_F(BuildTest, MissingScriptOpensConfigurationAndRunsNothing) {
  setting_.setString(scripts_.path()); // no go.bat there
  const std::string source = sources_.file("prog.z80", "\tret\r\n");
  App app(quoted(source), sources_.path());
  app.command(IDC_MAIN_SPEEDBUTTON3);
  HWND dialog = app.waitWindow("TForm3", "Configuration");
  EXPECT_EQ(field(dialog), scripts_.path());
  EXPECT_TRUE(warningShown(dialog));
  app.commandTo(dialog, IDC_CONFIG_SPEEDBUTTON3);
  waitHidden(dialog, "the Configuration dialog");
  Sleep(500);
  EXPECT_FALSE(app.findBox(app.appWindow()).has_value());
  EXPECT_FALSE(app.findBox(app.main()).has_value());
  EXPECT_EQ(calls(), "");
}

// --- a stored value of the wrong type -----------------------------------------------------

TEST_F(BuildTest, WrongValueTypeIsShownTwiceAndStartUpGoesOn) {
  setting_.setDword(7);
  App app(e2e::NoWait{}, "", sources_.path());
  const HWND appWindow = app.waitAppWindow();
  for (int shown = 1; shown <= 2; ++shown) {
    SCOPED_TRACE("box " + std::to_string(shown));
    Box box = app.waitBox(appWindow);
    EXPECT_EQ(box.caption(), "Tavrin by Molvane");
    EXPECT_EQ(box.text(), "Invalid data type for 'asmbatdir'");
    box.press(IDOK);
    box.waitClosed("the error box");
  }
  app.waitMainWindow();
  EXPECT_TRUE(IsWindowVisible(app.main()));
  EXPECT_FALSE(app.findBox(appWindow).has_value());
  // The dialog kept its first folder and skipped its script check.
  HWND dialog = openConfiguration(app);
  EXPECT_EQ(field(dialog), "c:\\");
  EXPECT_FALSE(warningShown(dialog));
  app.commandTo(dialog, IDC_CONFIG_SPEEDBUTTON3);
  waitHidden(dialog, "the Configuration dialog");
}

} // namespace
