// Editing as a user does it: files opened through the Open dialog, palette buttons
// clicked with the mouse, Undo after a fragment, and what the Save As dialog starts
// with; results checked on the screen and in the files on disk.
#include "e2e/driver.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <cctype>
#include <vector>

namespace {

using e2e::App;
using e2e::Box;
using e2e::quoted;
using e2e::TempFolder;

constexpr int kFileNameBox = 0x47c;

// The Edit inside the dialog's file name box: the ComboBoxEx32, its ComboBox and the
// Edit all carry the same ID.
HWND fileNameEdit(const Box& dialog) {
  struct Search {
    HWND found;
  } s{nullptr};
  EnumChildWindows(
      dialog.hwnd(),
      [](HWND h, LPARAM lp) -> BOOL {
        if (GetDlgCtrlID(h) != kFileNameBox || lstrcmpiA(e2e::className(h).c_str(), "Edit") != 0)
          return TRUE;
        reinterpret_cast<Search*>(lp)->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  if (!s.found) throw std::runtime_error("the dialog has no file name box");
  return s.found;
}

// What the file name box holds once the dialog has handled its start.
std::string fileNameText(const Box& dialog) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(dialog.hwnd(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, e2e::kWaitMs, &ignored);
  return e2e::windowText(fileNameEdit(dialog));
}

// A folder path as the shell compares it: without a final backslash, in one case.
std::string folderKey(std::string path) {
  while (!path.empty() && path.back() == '\\')
    path.pop_back();
  for (char& c : path)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return path;
}

LRESULT sendToEditor(const App& app, UINT msg) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(app.control(IDC_MAIN_MEMO1), msg, 0, 0, SMTO_ABORTIFHUNG, e2e::kWaitMs,
                           &result))
    throw e2e::Timeout("no answer from the editor");
  return static_cast<LRESULT>(result);
}

// --- Open, type, Save -----------------------------------------------------------------

TEST(EditingOpenDialog, OpenedFileTypedIntoIsSavedByteForByte) {
  TempFolder folder;
  // Bare LF and a CR LF: the editor shows both as CR LF, and CR LF is what is written.
  const std::string path = folder.file("opened.z80", "\t.org 9327h\nstart:\r\n\tret");
  App app;
  app.command(IDM_MAIN_OPEN1);
  app.chooseFile("Open", path);
  ASSERT_TRUE(app.waitNameBar(path));
  ASSERT_EQ(app.editorText(), "\t.org 9327h\r\nstart:\r\n\tret");

  app.select(19, 19); // after "start:"
  app.type("\r\tcall _clrLCDFull");
  const DWORD end = static_cast<DWORD>(app.editorText().size());
  app.select(end, end);
  app.type("\r");
  ASSERT_EQ(app.nameBar(), path + " *");
  app.command(IDC_MAIN_SPEEDBUTTON1);
  EXPECT_TRUE(app.waitNameBar(path));
  EXPECT_EQ(e2e::readFile(path), "\t.org 9327h\r\nstart:\r\n\tcall _clrLCDFull\r\n\tret\r\n");
  EXPECT_FALSE(app.toolbarSaveEnabled());
}

// --- the palette under the mouse ------------------------------------------------------

TEST(EditingPaletteClick, CloseClickedWithTheMouseAppendsReturnToAnEmptyDocument) {
  App app;
  HWND page = app.control(IDC_MAIN_PAGE_NORMAL);
  ASSERT_TRUE(IsWindowVisible(page));
  const RECT r = app.toolbarButtonRect(page, IDC_MAIN_SPEEDBUTTON5);
  ASSERT_LT(r.left, r.right);
  ASSERT_LT(r.top, r.bottom);
  app.click(page, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  EXPECT_TRUE(app.waitEditorText("\tret\r\n"));
  EXPECT_EQ(app.editorText(), "\tret\r\n");
  EXPECT_EQ(app.nameBar(), "NoName *");
  EXPECT_TRUE(app.toolbarSaveEnabled());
}

// Each button under the mouse runs its own fragment, not its neighbour's.
TEST(EditingPaletteClick, ClearScreenThenCloseClickedAppendInClickOrder) {
  App app;
  HWND page = app.control(IDC_MAIN_PAGE_NORMAL);
  auto centre = [&](int command) {
    const RECT r = app.toolbarButtonRect(page, command);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  app.type("; mine");
  app.click(page, centre(IDC_MAIN_SPEEDBUTTON6)); // Clear Screen
  const std::string afterClear = "; mine\r\n\tcall _clrLCDFull";
  EXPECT_TRUE(app.waitEditorText(afterClear));
  app.click(page, centre(IDC_MAIN_SPEEDBUTTON5)); // Close
  const std::string afterClose = afterClear + "\r\n\tret";
  EXPECT_TRUE(app.waitEditorText(afterClose));
  EXPECT_EQ(app.editorText(), afterClose);
}

// --- Undo ------------------------------------------------------------------------------

TEST(EditingUndo, UndoAfterAFragmentLeavesTheFragmentInPlace) {
  App app;
  // Typing alone can be undone: the editor's Undo is live in this window.
  app.type("ld a,1");
  sendToEditor(app, EM_UNDO);
  ASSERT_TRUE(app.waitEditorText(""));

  app.type("ld b,2");
  app.command(IDC_MAIN_SPEEDBUTTON5); // Close
  const std::string afterFragment = "ld b,2\r\n\tret";
  ASSERT_TRUE(app.waitEditorText(afterFragment));
  sendToEditor(app, EM_UNDO);
  EXPECT_EQ(app.editorText(), afterFragment);
  // A second Undo (which would redo an undone edit) changes nothing either.
  sendToEditor(app, EM_UNDO);
  EXPECT_EQ(app.editorText(), afterFragment);
}

// --- what Save As starts with ------------------------------------------------------------

TEST(EditingSaveAsName, StartsEmptyThenWithTheFullPathLastChosenInIt) {
  TempFolder source, chosen, third;
  const std::string opened = source.file("opened.z80", "opened\r\n");
  const std::string later = third.file("later.z80", "later\r\n");
  App app(quoted(opened));
  ASSERT_EQ(app.nameBar(), opened);

  // A file opened from the command line is not offered as the name to save under.
  app.command(IDM_MAIN_SAVEAS1);
  Box first = app.waitBox(app.main(), "Save As");
  EXPECT_EQ(fileNameText(first), "");
  const std::string target = chosen.path() + "chosen.z80";
  first.setItemText(kFileNameBox, target);
  first.press(IDOK);
  ASSERT_TRUE(app.waitNameBar(target));
  ASSERT_EQ(e2e::readFile(target), "opened\r\n");

  // A file opened from a third folder: the dialogs' own memory of the last folder now
  // points there, and the file becomes the document's.
  app.command(IDM_MAIN_OPEN1);
  app.chooseFile("Open", later);
  ASSERT_TRUE(app.waitNameBar(later));

  // Save As starts with the full path chosen in it last time, which the dialog shows
  // as the name in the box over that path's folder.
  app.command(IDM_MAIN_SAVEAS1);
  Box second = app.waitBox(app.main(), "Save As");
  EXPECT_EQ(fileNameText(second), "chosen.z80");
  EXPECT_EQ(folderKey(app.dialogFolder(second)), folderKey(chosen.path()));
  second.press(IDCANCEL);
  second.waitClosed("the Save As dialog");
  EXPECT_EQ(app.nameBar(), later);
}

// --- the current folder ----------------------------------------------------------------

TEST(EditingCurrentFolder, RelativeNameStillMeansTheStartFolderAfterTheDialogBrowsedElsewhere) {
  TempFolder start, elsewhere;
  const std::string original = "\tret\r\n";
  start.file("prog.z80", original);
  App app("prog.z80", start.path());
  ASSERT_EQ(app.editorText(), original);

  app.command(IDM_MAIN_SAVEAS1);
  Box dialog = app.waitBox(app.main(), "Save As");
  // A folder typed into the name box: OK goes into it and the dialog stays.
  dialog.setItemText(kFileNameBox, elsewhere.path());
  dialog.press(IDOK);
  const bool browsed = e2e::eventually(
      [&] { return folderKey(app.dialogFolder(dialog)) == folderKey(elsewhere.path()); });
  ASSERT_TRUE(browsed) << "the dialog shows " << app.dialogFolder(dialog);
  ASSERT_TRUE(IsWindowVisible(dialog.hwnd()));
  dialog.press(IDCANCEL);
  dialog.waitClosed("the Save As dialog");

  const DWORD end = static_cast<DWORD>(original.size());
  app.select(end, end);
  app.type("x");
  app.command(IDC_MAIN_SPEEDBUTTON1);
  EXPECT_TRUE(e2e::eventually([&] { return !app.toolbarSaveEnabled(); }));
  EXPECT_EQ(e2e::readFile(start.path() + "prog.z80"), original + "x");
  EXPECT_EQ(e2e::namesIn(elsewhere.path()), std::vector<std::string>{});
}

} // namespace
