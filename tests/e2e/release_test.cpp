// The unpacked release ZIP: run only when TAVRIN_RELEASE_CHECK names the folder it was
// unpacked to (tools/check-release.sh does), with TAVRIN_EXE the tavrin.exe in it.
#include "e2e/console.h"
#include "e2e/driver.h"
#include "resource.h"
#include "unit/asm_ti83_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using e2e::App;
using e2e::TempFolder;

std::string releaseFolder() {
  const char* folder = std::getenv("TAVRIN_RELEASE_CHECK");
  if (!folder || !*folder) return "";
  std::string path = folder;
  if (path.back() != '\\') path += '\\';
  return path;
}

DWORD attributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

bool isFolder(const std::string& path) {
  const DWORD a = attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ReleaseZip, HoldsTheProgramTheReadmeTheHelpAndTheCompileFolder) {
  const std::string folder = releaseFolder();
  if (folder.empty()) GTEST_SKIP() << "TAVRIN_RELEASE_CHECK is not set";
  EXPECT_FALSE(isFolder(folder + "tavrin.exe"));
  EXPECT_NE(attributes(folder + "tavrin.exe"), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(e2e::readFile(folder + "README.md").find("# Tavrin"), std::string::npos);
  EXPECT_TRUE(isFolder(folder + "help"));
  EXPECT_EQ(e2e::readFile(folder + "help\\helpfile.hlp").substr(0, 4),
            std::string("\x3f\x5f\x03\x00", 4));
  // The build kit: go.bat, its assembler, its include files and a note on them.
  const std::string kit = folder + "compile\\";
  for (const char* name : {"go.bat", "tavasm.exe", "README.txt"})
    EXPECT_FALSE(e2e::namesIn(kit, name).empty()) << name;
  EXPECT_EQ(e2e::namesIn(kit + "include\\"),
            (std::vector<std::string>{"ti83asm.inc", "tokens.inc"}));
  EXPECT_NE(e2e::readFile(kit + "README.txt").find("go.bat"), std::string::npos);
}

TEST(ReleaseZip, StartsFromItsFolderAndOpensTheFileOnItsCommandLine) {
  const std::string folder = releaseFolder();
  if (folder.empty()) GTEST_SKIP() << "TAVRIN_RELEASE_CHECK is not set";
  TempFolder sources;
  const std::string path = sources.file("hello.z80", "\t.org 9327h\n\tret\n");
  App app("\"" + path + "\"", folder);
  EXPECT_EQ(app.caption(), "Tavrin");
  EXPECT_TRUE(app.waitNameBar(path));
  EXPECT_EQ(app.nameBar(), path);
  EXPECT_EQ(app.editorText(), "\t.org 9327h\r\n\tret\r\n");
  EXPECT_NE(app.statusText(1), "");
}

// Compile with the kit as it ships: no setting, so compile\\go.bat below the start
// folder runs, in a visible console window of its own.
class ReleaseCompile : public testing::Test {
protected:
  void SetUp() override {
    folder_ = releaseFolder();
    if (folder_.empty()) GTEST_SKIP() << "TAVRIN_RELEASE_CHECK is not set";
    setting_.remove();
    ASSERT_TRUE(CreateDirectoryA(sources().c_str(), nullptr));
  }
  std::string sources() const { return temp_.path() + "my programs\\"; }
  void saveAs(const App& app, const std::string& path) const {
    app.command(IDM_MAIN_SAVEAS1);
    app.chooseFile("Save As", path);
    ASSERT_TRUE(app.waitNameBar(path)) << app.nameBar();
  }
  static e2e::Box waitResult(const App& app) { return app.waitBox(app.appWindow(), "", 20000); }

  std::string folder_;
  e2e::RegistryValue setting_{HKEY_LOCAL_MACHINE, "Software\\Molvane\\Z80", "asmbatdir"};
  TempFolder temp_;
};

TEST_F(ReleaseCompile, ThePalettesProgramBuildsIntoAProgramTheCalculatorRuns) {
  App app("", folder_);
  for (int id : {IDC_MAIN_SPEEDBUTTON4, IDC_MAIN_SPEEDBUTTON6, IDC_MAIN_SPEEDBUTTON9,
                 IDC_MAIN_SPEEDBUTTON5, IDC_MAIN_SPEEDBUTTON11})
    app.command(id);
  ASSERT_TRUE(
      e2e::eventually([&] { return app.editorText().find("Put your text") != std::string::npos; }));
  const std::string source = sources() + "prog.z80";
  saveAs(app, source);
  app.command(IDC_MAIN_SPEEDBUTTON3);
  e2e::Box result = waitResult(app);
  EXPECT_EQ(result.caption(), "Information");
  EXPECT_EQ(result.text(), "Source file is succesfully compiled to " + sources() + "prog.83p");

  const std::string file = e2e::readFile(sources() + "prog.83p");
  const Ti83Read program = readTi83({file.begin(), file.end()});
  ASSERT_EQ(program.error, "");
  EXPECT_EQ(program.name, "PROG");
  const std::string text = "Put your text here.";
  std::vector<std::uint8_t> expected = {0xCD, 0x55, 0x47, // call _clrLCDFull
                                        0x21, 0x00, 0x00, // ld hl,0
                                        0x22, 0x0C, 0x80, // ld (CURROW),hl
                                        0x21, 0x00, 0x00, // ld hl,0
                                        0x22, 0x0D, 0x80, // ld (CURCOL),hl
                                        0x21, 0x3D, 0x93, // ld hl,str1: 9327h + 22 bytes
                                        0xCD, 0x0D, 0x47, // call _puts
                                        0xC9};            // ret, then str1
  expected.insert(expected.end(), text.begin(), text.end());
  expected.push_back(0);
  EXPECT_EQ(program.code, expected);
  result.press(IDOK);
  result.waitClosed("the result box");
}

// A source that does not assemble: the script's window shows tavasm's message and stays
// until a key is pressed; then the editor reports the failure, and the program left by an
// earlier build is untouched.
TEST_F(ReleaseCompile, AnUndefinedLabelKeepsTheMessagesOnScreenAndLeavesTheOldProgram) {
  App app("", folder_);
  app.command(IDC_MAIN_SPEEDBUTTON4);
  ASSERT_TRUE(e2e::eventually([&] { return app.editorText().find(".org") != std::string::npos; }));
  app.select(0xFFFF, 0xFFFF);
  app.type("\tjp nowhere\r");
  const std::string source = sources() + "broken.z80";
  saveAs(app, source);
  const std::string saved = app.editorText();
  const std::string program = sources() + "broken.83p";
  e2e::writeFile(program, "an earlier build");
  SYSTEMTIME earlier{2001, 1, 1, 1, 12, 0, 0, 0};
  e2e::setLastWrite(program, earlier);
  app.command(IDC_MAIN_SPEEDBUTTON3);

  std::vector<DWORD> scripts;
  e2e::waitUntil([&] { return (scripts = e2e::processesNamed("cmd.exe", app.pid())).size() == 1; },
                 "the build script's cmd.exe");
  {
    e2e::AttachedConsole console(scripts.front());
    std::string shown;
    EXPECT_TRUE(e2e::eventually([&] {
      shown = console.text();
      return shown.find("Press a key") != std::string::npos;
    })) << shown;
    EXPECT_NE(shown.find("broken.z80:10:5: error: undefined symbol nowhere"), std::string::npos)
        << shown;
    EXPECT_EQ(shown.substr(shown.rfind('\n') + 1),
              "The build failed: no new .83p was written. Press a key to close this window.");
    // Still waiting: no result yet.
    Sleep(500);
    EXPECT_FALSE(app.findBox(app.appWindow()).has_value());
    console.pressKey('x');
  }
  e2e::Box result = waitResult(app);
  EXPECT_EQ(result.caption(), "Error");
  EXPECT_EQ(result.text(), "An error acquired while compiling the source file.");
  EXPECT_EQ(e2e::readFile(program), "an earlier build");
  EXPECT_EQ(e2e::readFile(source), saved);
  result.press(IDOK);
  result.waitClosed("the result box");
}

} // namespace
