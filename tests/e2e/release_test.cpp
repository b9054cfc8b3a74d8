// The unpacked release ZIP: run only when TAVRIN_RELEASE_CHECK names the folder it was
// unpacked to (tools/check-release.sh does), with TAVRIN_EXE the tavrin.exe in it.
#include "e2e/driver.h"

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
  // The compile folder holds only the note on go.bat: the script is the user's own.
  EXPECT_EQ(e2e::namesIn(folder + "compile\\"), std::vector<std::string>{"README.txt"});
  EXPECT_NE(e2e::readFile(folder + "compile\\README.txt").find("go.bat"), std::string::npos);
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

} // namespace
