// The document commands, the snippet palette and Find, driven through the app's
// windows; results checked on the screen and in the files on disk.
#include "e2e/driver.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using e2e::App;
using e2e::Box;
using e2e::quoted;
using e2e::systemDescription;
using e2e::TempFolder;

const char kConfirmSaveText[] = "Source file is changed.\n\r\n\rDo you want to save source file?";

TEST(OpenCommand, FileHeldByAnotherProgramShowsTheErrorAndKeepsTheDocument) {
  TempFolder folder;
  const std::string first = folder.file("first.z80", "first\r\n");
  const std::string locked = folder.file("locked.z80", "locked\r\n");
  HANDLE hold = CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);

  App app(quoted(first));
  const std::string date = app.statusText(1);
  app.command(IDM_MAIN_OPEN1);
  app.chooseFile("Open", locked);
  Box box = app.waitBox(app.appWindow());
  EXPECT_EQ(box.caption(), "Tavrin by Molvane");
  const std::string text = box.text();
  const std::string prefix = "Cannot open file \"" + locked + "\". ";
  EXPECT_EQ(text.substr(0, prefix.size()), prefix);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '.');
  EXPECT_EQ(text, prefix + systemDescription(ERROR_SHARING_VIOLATION) + ".");
  box.press(IDOK);
  box.waitClosed("the error box");
  CloseHandle(hold);

  EXPECT_EQ(app.nameBar(), first);
  EXPECT_FALSE(app.toolbarSaveEnabled());
  EXPECT_EQ(app.statusText(1), date);
  // A failed open changes nothing: the text stays, so a save can't write an empty file
  // over the old one.
  EXPECT_EQ(app.editorText(), "first\r\n");
}

TEST(OpenCommand, OpensTheChosenFileWithoutPromptWhenUnchanged) {
  TempFolder folder;
  const std::string first = folder.file("a.z80", "aaa\r\n");
  const std::string second = folder.file("b.z80", "b1\nb2");
  App app(quoted(first));
  app.command(IDC_MAIN_BTN_OPEN);
  app.chooseFile("Open", second);
  EXPECT_TRUE(app.waitNameBar(second));
  EXPECT_EQ(app.nameBar(), second);
  EXPECT_EQ(app.editorText(), "b1\r\nb2");
  EXPECT_FALSE(app.toolbarSaveEnabled());
}

TEST(SaveCommand, WritesTheEditorTextByteForByte) {
  TempFolder folder;
  const std::string path = folder.file("s.z80", "line1\nline2");
  App app(quoted(path));
  app.select(12, 12);
  app.type("!\r");
  ASSERT_EQ(app.nameBar(), path + " *");
  app.command(IDC_MAIN_SPEEDBUTTON1);
  EXPECT_TRUE(app.waitNameBar(path));
  EXPECT_EQ(e2e::readFile(path), "line1\r\nline2!\r\n");
  EXPECT_FALSE(app.toolbarSaveEnabled());
  EXPECT_EQ(app.nameBar(), path);
}

TEST(SaveCommand, OnUnnamedDocumentAsksForANameAndSavesThere) {
  TempFolder folder;
  App app;
  app.type("org");
  app.command(IDM_MAIN_SAVE1);
  const std::string path = folder.path() + "fresh.z80";
  app.chooseFile("Save As", path);
  EXPECT_TRUE(app.waitNameBar(path));
  EXPECT_EQ(app.nameBar(), path);
  EXPECT_EQ(e2e::readFile(path), "org");
}

TEST(SaveAsCommand, AsksBeforeReplacingAnExistingFile) {
  TempFolder folder;
  const std::string source = folder.file("src.z80", "new text");
  const std::string target = folder.file("old.z80", "old text");
  App app(quoted(source));

  // No: the Save dialog stays; cancelling it leaves everything.
  app.command(IDM_MAIN_SAVEAS1);
  Box dialog = app.waitBox(app.main(), "Save As");
  dialog.setItemText(0x47c, target);
  dialog.press(IDOK);
  Box prompt = app.waitBox(dialog.hwnd());
  EXPECT_EQ(prompt.text(), "File already exists.\nDo you want to replace it?");
  prompt.press(IDNO);
  prompt.waitClosed("the replace prompt");
  dialog.press(IDCANCEL);
  dialog.waitClosed("the Save dialog");
  EXPECT_EQ(e2e::readFile(target), "old text");
  EXPECT_EQ(app.nameBar(), source);

  // Yes: the file is replaced and becomes the document's file.
  app.command(IDM_MAIN_SAVEAS1);
  Box again = app.waitBox(app.main(), "Save As");
  again.setItemText(0x47c, target);
  again.press(IDOK);
  Box replace = app.waitBox(again.hwnd());
  replace.press(IDYES);
  EXPECT_TRUE(app.waitNameBar(target));
  EXPECT_EQ(app.nameBar(), target);
  EXPECT_EQ(e2e::readFile(target), "new text");
}

TEST(NewCommand, UnchangedDocumentIsEmptiedAtOnceAndKeepsTheDate) {
  TempFolder folder;
  const std::string path = folder.file("n.z80", "text\r\n");
  App app(quoted(path));
  const std::string date = app.statusText(1);
  app.command(IDC_MAIN_SPEEDBUTTON2);
  EXPECT_TRUE(app.waitNameBar("NoName"));
  EXPECT_EQ(app.editorText(), "");
  EXPECT_EQ(app.statusText(1), date);
  EXPECT_FALSE(app.findBox(app.main()).has_value());
}

TEST(NewCommand, ChangedDocumentAnsweredNoStartsOver) {
  App app;
  app.type("abc");
  app.command(IDC_MAIN_SPEEDBUTTON2);
  Box prompt = app.waitBox(app.main(), "Save");
  EXPECT_EQ(prompt.text(), kConfirmSaveText);
  prompt.press(IDNO);
  EXPECT_TRUE(app.waitNameBar("NoName"));
  EXPECT_EQ(app.editorText(), "");
  // The Save command keeps its state: New does not touch it.
  EXPECT_TRUE(app.toolbarSaveEnabled());
}

struct CloseCase {
  const char* name;
  int answer;
  bool ends;
  const char* onDisk;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
  *out << c.name;
}

class CloseWithChanges : public testing::TestWithParam<CloseCase> {};

TEST_P(CloseWithChanges, AsksAndFollowsTheAnswer) {
  const CloseCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.file("c.z80", "keep");
  App app(quoted(path));
  app.select(4, 4);
  app.type("+");
  app.close();
  Box prompt = app.waitBox(app.main(), "Save");
  EXPECT_EQ(prompt.text(), kConfirmSaveText);
  prompt.press(c.answer);
  if (c.ends) {
    EXPECT_TRUE(app.waitExit());
  } else {
    prompt.waitClosed("the prompt");
    EXPECT_FALSE(app.waitExit(300));
    EXPECT_EQ(app.nameBar(), path + " *");
    EXPECT_EQ(app.editorText(), "keep+");
  }
  EXPECT_EQ(e2e::readFile(path), c.onDisk);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseWithChanges,
                         testing::Values(CloseCase{"Yes", IDYES, true, "keep+"},
                                         CloseCase{"No", IDNO, true, "keep"},
                                         CloseCase{"Cancel", IDCANCEL, false, "keep"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CloseCommand, UnchangedDocumentEndsWithoutPrompt) {
  App app;
  app.command(IDM_MAIN_EXIT1);
  EXPECT_TRUE(app.waitExit());
}

// --- snippet palette ----------------------------------------------------------------

struct Snippet {
  int id;
  const char* name;
  std::vector<std::string> lines;
};

const std::vector<Snippet>& snippets() {
  static const std::vector<Snippet> table = {
      {IDC_MAIN_SPEEDBUTTON4,
       "Start",
       {".NOLIST", "#define end .end", "#define END .end", "#define equ .equ", "#define EQU .equ",
        "#include \"ti83asm.inc\"", "#include \"tokens.inc\"", ".LIST", "\t.org 9327h"}},
      {IDC_MAIN_SPEEDBUTTON6, "Clear Screen", {"\tcall _clrLCDFull"}},
      {IDC_MAIN_SPEEDBUTTON12, "Indicator Off", {"\tcall _runIndicOff"}},
      {IDC_MAIN_SPEEDBUTTON5, "Close", {"\tret"}},
      {IDC_MAIN_SPEEDBUTTON9,
       "Big Text",
       {"\tld hl,0\t;\tNote that 0 is the row", "\tld (CURROW),hl",
        "\tld hl,0\t;\tNote that 0 is the colum", "\tld (CURCOL),hl",
        "\tld hl,str1\t;\tNote that Str1 is the text", "\tcall _puts"}},
      {IDC_MAIN_SPEEDBUTTON10,
       "Small Text",
       {"\tld hl,0\t;\tNote that 0 is the row", "\tld (PENROW),hl",
        "\tld hl,0\t;\tNote that 0 is the colum", "\tld (PENCOL),hl",
        "\tld hl,str1\t;\tNote that Str1 is the text", "\tcall _vputs"}},
      {IDC_MAIN_SPEEDBUTTON11, "Text String", {"Str1:", "\t.db \"Put your text here.\",0"}},
      {IDC_MAIN_SPEEDBUTTON7, "Set Inverse", {"\tset textInverse, (iy+textflags)"}},
      {IDC_MAIN_SPEEDBUTTON8, "Res Iverese", {"\tres textInverse, (iy+textflags)"}},
  };
  return table;
}

// Each line goes after the text: after a final line break it is followed by one,
// otherwise it starts a new line and ends without one.
std::string appended(std::string text, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (text.empty() || (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n"))
      text += line + "\r\n";
    else
      text += "\r\n" + line;
  }
  return text;
}

TEST(Palette, StartOnEmptyDocumentGivesNineTerminatedLines) {
  App app;
  app.command(IDC_MAIN_SPEEDBUTTON4);
  const std::string expected =
      ".NOLIST\r\n#define end .end\r\n#define END .end\r\n#define equ .equ\r\n"
      "#define EQU .equ\r\n#include \"ti83asm.inc\"\r\n#include \"tokens.inc\"\r\n.LIST\r\n"
      "\t.org 9327h\r\n";
  EXPECT_TRUE(app.waitEditorText(expected));
  EXPECT_EQ(app.editorText(), expected);
  EXPECT_EQ(app.nameBar(), "NoName *");
  EXPECT_TRUE(app.toolbarSaveEnabled());
}

TEST(Palette, EveryButtonAppendsItsLinesWhereverTheCaretIs) {
  for (bool endsWithBreak : {false, true}) {
    const std::string start = endsWithBreak ? "top\r\nmiddle\r\n" : "top\r\nmiddle";
    TempFolder folder;
    const std::string path = folder.file("p.z80", start);
    App app(quoted(path));
    std::string expected = start;
    for (const Snippet& s : snippets()) {
      SCOPED_TRACE(std::string(s.name) + (endsWithBreak ? " after a line break" : " mid-line"));
      app.select(2, 2); // the caret inside the first line
      expected = appended(expected, s.lines);
      app.command(s.id);
      EXPECT_TRUE(app.waitEditorText(expected));
      EXPECT_EQ(app.editorText(), expected);
      // The caret ends after the added text.
      const DWORD end = static_cast<DWORD>(expected.size());
      EXPECT_EQ(app.selection(), std::make_pair(end, end));
    }
    EXPECT_EQ(app.nameBar(), path + " *");
  }
}

TEST(Palette, CloseTwiceAppendsTwoReturnLines) {
  App app;
  app.command(IDC_MAIN_SPEEDBUTTON5);
  app.command(IDC_MAIN_SPEEDBUTTON5);
  EXPECT_TRUE(app.waitEditorText("\tret\r\n\tret\r\n"));
  EXPECT_EQ(app.editorText(), "\tret\r\n\tret\r\n");
}

// --- Find -----------------------------------------------------------------------------

TEST(Find, SelectsTheFirstOccurrenceEveryTimeEvenInAWrappedLine) {
  // A line far wider than the window, so the editor wraps it on the screen.
  std::string longLine;
  for (int i = 0; i < 60; ++i)
    longLine += "word" + std::to_string(i) + " ";
  const std::string text = "first\r\nsecond\r\n" + longLine + "TARGET here TARGET\r\nTARGET\r\n";
  TempFolder folder;
  const std::string path = folder.file("f.z80", text);
  App app(quoted(path));

  app.command(IDM_MAIN_SEARCH2);
  Box find = app.waitBox(app.main(), "Find");
  find.setItemText(0x480, "TARGET");
  const DWORD at = static_cast<DWORD>(text.find("TARGET"));
  const auto expected = std::make_pair(at, at + 6);
  for (int press = 1; press <= 2; ++press) {
    SCOPED_TRACE("press " + std::to_string(press));
    app.select(0, 0); // something else first, so the new selection can be seen
    find.press(IDOK);
    EXPECT_TRUE(e2e::eventually([&] { return app.selection() == expected; }));
    EXPECT_EQ(app.selection(), expected);
  }
  // Case matters: lower case is found nowhere and the selection stays.
  app.select(1, 3);
  find.setItemText(0x480, "target");
  find.press(IDOK);
  Sleep(300);
  EXPECT_EQ(app.selection(), std::make_pair(DWORD{1}, DWORD{3}));
  find.press(IDCANCEL);
  find.waitClosed("the Find dialog");
}

} // namespace

// The Open dialog takes a name that does not exist; the load then fails with the
// program's own error and the document stays as it was.
TEST(OpenCommand, MissingNameTypedIntoTheDialogShowsTheErrorAndKeepsTheDocument) {
  TempFolder folder;
  const std::string first = folder.file("first.z80", "first\r\n");
  const std::string missing = folder.path() + "not-there.z80";
  App app(quoted(first));
  app.command(IDM_MAIN_OPEN1);
  app.chooseFile("Open", missing);
  Box box = app.waitBox(app.appWindow());
  EXPECT_EQ(box.caption(), "Tavrin by Molvane");
  EXPECT_EQ(box.text(), "Cannot open file \"" + missing + "\". " +
                            systemDescription(ERROR_FILE_NOT_FOUND) + ".");
  box.press(IDOK);
  box.waitClosed("the error box");
  EXPECT_EQ(app.nameBar(), first);
  EXPECT_EQ(app.editorText(), "first\r\n");
}

// Yes to the save prompt followed by a cancelled Save dialog never throws the text away.
TEST(OpenCommand, YesThenCancelledSaveDialogOpensNothing) {
  App app;
  app.type("unsaved");
  app.command(IDM_MAIN_OPEN1);
  app.waitBox(app.main(), "Save").press(IDYES);
  Box saveAs = app.waitBox(app.main(), "Save As");
  saveAs.press(IDCANCEL);
  saveAs.waitClosed("the Save As dialog");
  EXPECT_FALSE(app.findBox(app.main(), "Open").has_value());
  EXPECT_EQ(app.editorText(), "unsaved");
  EXPECT_EQ(app.nameBar(), "NoName *");
}

TEST(CloseCommand, YesThenCancelledSaveDialogKeepsTheWindowOpen) {
  App app;
  app.type("unsaved");
  app.close();
  app.waitBox(app.main(), "Save").press(IDYES);
  Box saveAs = app.waitBox(app.main(), "Save As");
  saveAs.press(IDCANCEL);
  saveAs.waitClosed("the Save As dialog");
  EXPECT_FALSE(app.waitExit(300));
  EXPECT_EQ(app.editorText(), "unsaved");
}

// Logging off asks as closing does; Cancel refuses the end of the session.
TEST(EndOfSession, ChangedDocumentAsksAndCancelRefuses) {
  App app;
  app.type("unsaved");
  HWND main = app.main();
  // The query waits for the prompt to be answered, so it is sent from another thread.
  // Its state lives on the heap: a thread that never returns must not outlive it.
  struct Query {
    HWND main;
    LRESULT answer = -1;
  };
  auto* query = new Query{main};
  HANDLE sender = CreateThread(
      nullptr, 0,
      [](void* p) -> DWORD {
        auto* q = static_cast<Query*>(p);
        q->answer = SendMessageA(q->main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        return 0;
      },
      query, 0, nullptr);
  ASSERT_TRUE(sender);
  Box prompt = app.waitBox(main, "Save");
  EXPECT_EQ(prompt.text(), kConfirmSaveText);
  prompt.press(IDCANCEL);
  ASSERT_EQ(WaitForSingleObject(sender, e2e::kWaitMs), WAIT_OBJECT_0);
  CloseHandle(sender);
  const LRESULT answer = query->answer;
  delete query;
  EXPECT_EQ(answer, FALSE);
  EXPECT_TRUE(app.isRunning());
  EXPECT_EQ(app.editorText(), "unsaved");
}
