// The main window at start-up, the command-line open, typing and the file date, seen
// from another process.
#include "e2e/driver.h"

#include "resource.h"

#include <gtest/gtest.h>

namespace {

using e2e::App;
using e2e::Box;
using e2e::TempFolder;

void expectCleanNewDocument(const App& app) {
  EXPECT_EQ(app.nameBar(), "NoName");
  EXPECT_EQ(app.editorText(), "");
  EXPECT_EQ(app.statusText(0), "Source last modified:");
  EXPECT_EQ(app.statusText(1), "");
  EXPECT_FALSE(app.toolbarSaveEnabled());
  EXPECT_EQ(app.caption(), "Tavrin");
}

TEST(StartUp, WithoutArgumentShowsAnEmptyUnnamedDocument) {
  App app;
  expectCleanNewDocument(app);
  EXPECT_EQ(e2e::className(app.main()), "TForm1");
  EXPECT_EQ(e2e::windowText(app.appWindow()), "Tavrin by Molvane");
  EXPECT_EQ(GetWindow(app.main(), GW_OWNER), app.appWindow());
  // The palette starts on its first page.
  EXPECT_TRUE(IsWindowVisible(app.control(IDC_MAIN_PAGE_NORMAL)));
  EXPECT_FALSE(IsWindowVisible(app.control(IDC_MAIN_PAGE_TEXT)));
  EXPECT_FALSE(IsWindowVisible(app.control(IDC_MAIN_PAGE_EFFECTS)));
}

// The File menu's Save item goes with the toolbar's Save button.
TEST(StartUp, MenuSaveFollowsTheToolbarSave) {
  App app;
  auto before = app.menuSaveEnabled();
  if (!before) GTEST_SKIP() << "Wine does not read another process's menu";
  EXPECT_FALSE(*before);
  app.type("x");
  EXPECT_EQ(app.menuSaveEnabled(), std::optional<bool>(true));
}

struct FileArgumentCase {
  const char* name;
  const char* bytes;
  const char* shown;
};

void PrintTo(const FileArgumentCase& c, std::ostream* out) {
  *out << c.name;
}

class FileArgument : public testing::TestWithParam<FileArgumentCase> {};

TEST_P(FileArgument, OpensTheFileUnderTheGivenPath) {
  TempFolder folder;
  const std::string path = folder.file("prog.z80", GetParam().bytes);
  App app("\"" + path + "\"");
  EXPECT_EQ(app.nameBar(), path);
  EXPECT_EQ(app.editorText(), GetParam().shown);
  EXPECT_NE(app.statusText(1), "");
  EXPECT_FALSE(app.toolbarSaveEnabled());
  EXPECT_EQ(app.caption(), "Tavrin");
}

INSTANTIATE_TEST_SUITE_P(
    LineBreaks, FileArgument,
    testing::Values(FileArgumentCase{"CrLf", "\tld a,1\r\n\tret\r\n", "\tld a,1\r\n\tret\r\n"},
                    FileArgumentCase{"LfOnly", "\tld a,1\n\tret\n", "\tld a,1\r\n\tret\r\n"},
                    FileArgumentCase{"LoneCrAndLfCr", "a\rb\n\rc", "a\r\nb\r\n\r\nc"},
                    FileArgumentCase{"NoFinalBreak", "x\r\ny", "x\r\ny"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartUp, RelativePathStaysAsGivenInTheNameBar) {
  TempFolder folder;
  folder.file("rel.z80", "nop\r\n");
  App app("rel.z80", folder.path());
  EXPECT_EQ(app.nameBar(), "rel.z80");
  EXPECT_EQ(app.editorText(), "nop\r\n");
}

TEST(StartUp, OnlyTheFirstArgumentCounts) {
  TempFolder folder;
  const std::string first = folder.file("one.z80", "first\r\n");
  const std::string second = folder.file("two.z80", "second\r\n");
  App app("\"" + first + "\" \"" + second + "\"");
  EXPECT_EQ(app.nameBar(), first);
  EXPECT_EQ(app.editorText(), "first\r\n");
}

// Arguments that name no file leave the new, unnamed document and show no error.
TEST(StartUp, ArgumentThatIsNoFileLeavesNoName) {
  TempFolder folder;
  folder.file("some.z80", "nop\r\n");
  CreateDirectoryA((folder.path() + "sub").c_str(), nullptr);
  const std::string cases[] = {
      "\"" + folder.path() + "missing.z80\"",
      "\"" + folder.path() + "sub\"",
      "*.z80",
  };
  for (const std::string& argument : cases) {
    SCOPED_TRACE(argument);
    App app(argument, folder.path());
    expectCleanNewDocument(app);
    EXPECT_FALSE(app.findBox(app.appWindow()).has_value()) << "an error box came up";
  }
}

// A file on the command line that can't be read: its error comes first, and the window
// then comes up with the new, unnamed document.
TEST(StartUp, ArgumentThatCannotBeReadShowsTheErrorThenANewDocument) {
  TempFolder folder;
  const std::string locked = folder.file("locked.z80", "locked\r\n");
  HANDLE hold = CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  App app(e2e::NoWait{}, e2e::quoted(locked));
  Box box = app.waitBox(app.waitAppWindow());
  EXPECT_EQ(box.caption(), "Tavrin by Molvane");
  EXPECT_EQ(box.text(), "Cannot open file \"" + locked + "\". " +
                            e2e::systemDescription(ERROR_SHARING_VIOLATION) + ".");
  box.press(IDOK);
  box.waitClosed("the error box");
  CloseHandle(hold);
  app.waitMainWindow();
  expectCleanNewDocument(app);
}

TEST(Typing, FirstCharacterMarksTheDocumentChangedOnce) {
  TempFolder folder;
  const std::string path = folder.file("t.z80", "ld\r\n");
  App app("\"" + path + "\"");
  app.select(2, 2);
  app.type("a");
  EXPECT_TRUE(app.waitNameBar(path + " *"));
  EXPECT_EQ(app.nameBar(), path + " *");
  EXPECT_TRUE(app.toolbarSaveEnabled());
  app.type("b");
  EXPECT_EQ(app.nameBar(), path + " *");
  EXPECT_EQ(app.editorText(), "ldab\r\n");
}

TEST(Typing, IntoNewDocumentGivesNoNameWithStar) {
  App app;
  app.type("x\ry");
  EXPECT_EQ(app.nameBar(), "NoName *");
  EXPECT_EQ(app.editorText(), "x\r\ny");
  EXPECT_TRUE(app.toolbarSaveEnabled());
}

TEST(Typing, TabKeyInsertsATab) {
  App app;
  app.type("a");
  app.pressKey(VK_TAB);
  app.type("b");
  EXPECT_EQ(app.editorText(), "a\tb");
  // The editor kept the focus: further keys still land in it.
  EXPECT_EQ(app.selection(), std::make_pair(DWORD{3}, DWORD{3}));
}

std::string localDate(const SYSTEMTIME& t) {
  char text[128] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, text, sizeof text);
  return text;
}

std::string localTime(const SYSTEMTIME& t) {
  char text[128] = "";
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, text, sizeof text);
  return text;
}

struct DateCase {
  const char* name;
  WORD hour, minute, second;
  WORD shownSecond; // the file system keeps two-second steps
  bool withTime;
};

void PrintTo(const DateCase& c, std::ostream* out) {
  *out << c.name;
}

class FileDate : public testing::TestWithParam<DateCase> {};

TEST_P(FileDate, StatusBarShowsTheLastWriteTime) {
  const DateCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.file("dated.z80", "nop\r\n");
  SYSTEMTIME written{2021, 3, 0, 4, c.hour, c.minute, c.second, 0};
  e2e::setLastWrite(path, written);
  App app("\"" + path + "\"");
  SYSTEMTIME shown = written;
  shown.wSecond = c.shownSecond;
  const std::string expected = localDate(shown) + (c.withTime ? " " + localTime(shown) : "");
  EXPECT_EQ(app.statusText(1), expected);
}

INSTANTIATE_TEST_SUITE_P(Times, FileDate,
                         testing::Values(DateCase{"Midnight", 0, 0, 0, 0, false},
                                         DateCase{"Afternoon", 13, 5, 8, 8, true},
                                         DateCase{"OddSecond", 9, 41, 59, 58, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
