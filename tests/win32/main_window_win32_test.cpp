// The main window in this process: what another process can't read of it under Wine
// (its menu's states), and that toolbar and menu follow the Save command together.
#include "app/Unit1.h"
#include "build/script_folder.h"
#include "gui_objects.h"
#include "resource.h"
#include "win32/app_window.h"
#include "win32/error_box.h"
#include "win32/message_loop.h"
#include "win32/process_watcher.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class MainWindow : public ::testing::Test {
protected:
  void SetUp() override {
    form.create(app.hwnd());
    ASSERT_TRUE(form.hwnd());
    memo = GetDlgItem(form.hwnd(), IDC_MAIN_MEMO1);
    toolbar = GetDlgItem(GetDlgItem(form.hwnd(), IDC_MAIN_COOLBAR1), IDC_MAIN_TOOLBAR1);
    ASSERT_TRUE(memo && toolbar);
  }
  void TearDown() override {
    if (form.hwnd()) DestroyWindow(form.hwnd());
    MSG quit; // the window's end asks the (absent) event loop to stop
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  bool menuSaveEnabled() {
    UINT state = GetMenuState(GetMenu(form.hwnd()), IDM_MAIN_SAVE1, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
  }
  std::string nameBar() {
    char text[64] = "";
    GetWindowTextA(GetDlgItem(form.hwnd(), IDC_MAIN_PANEL2), text, sizeof text);
    return text;
  }
  bool toolbarSaveEnabled() {
    return SendMessageA(toolbar, TB_ISBUTTONENABLED, IDC_MAIN_SPEEDBUTTON1, 0) != 0;
  }

  tavrin::win32::AppWindow app{"Tavrin by Molvane"};
  tavrin::win32::ErrorBox errors{app.hwnd(), "Tavrin by Molvane"};
  tavrin::win32::ProcessWatcher processes;
  tavrin::win32::MessageLoop loop{processes, errors};
  tavrin::ScriptFolder setting;
  tavrin::TForm1 form{{errors, loop, processes, app.windowHandle(), setting, ""}};
  HWND memo = nullptr, toolbar = nullptr;
};

TEST_F(MainWindow, SaveStartsDisabledAndTypingEnablesItOnTheToolbarAndInTheMenu) {
  EXPECT_FALSE(menuSaveEnabled());
  EXPECT_FALSE(toolbarSaveEnabled());
  EXPECT_EQ(nameBar(), "NoName");
  SendMessageA(memo, WM_CHAR, 'x', 1);
  EXPECT_TRUE(menuSaveEnabled());
  EXPECT_TRUE(toolbarSaveEnabled());
  EXPECT_EQ(nameBar(), "NoName *");
  form.setSaveEnabled(false);
  EXPECT_FALSE(menuSaveEnabled());
  EXPECT_FALSE(toolbarSaveEnabled());
}

// Ctrl+F, pressed anywhere in the window, goes through the window's shortcut table to
// Search > Find, which shows the Find dialog in front of the window.
TEST_F(MainWindow, CtrlFShowsTheFindDialog) {
  BYTE keys[256] = {};
  ASSERT_TRUE(GetKeyboardState(keys));
  const BYTE before = keys[VK_CONTROL];
  keys[VK_CONTROL] = 0x80;
  ASSERT_TRUE(SetKeyboardState(keys));
  MSG press{memo, WM_KEYDOWN, 'F', 0x00210001, 0, {}};
  const int translated = TranslateAcceleratorA(form.hwnd(), form.accelerators(), &press);
  keys[VK_CONTROL] = before;
  SetKeyboardState(keys);
  EXPECT_NE(translated, 0);
  HWND find = FindWindowA("#32770", "Find");
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(GetWindow(find, GW_OWNER), form.hwnd());
  EXPECT_TRUE(IsWindowVisible(find));
  DestroyWindow(find);

  // Without Ctrl the key is only a letter for the editor.
  MSG plain{memo, WM_KEYDOWN, 'F', 0x00210001, 0, {}};
  EXPECT_EQ(TranslateAcceleratorA(form.hwnd(), form.accelerators(), &plain), 0);
}

TEST_F(MainWindow, TheMenuHasItsItemsAndPictures) {
  HMENU menu = GetMenu(form.hwnd());
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  const char* titles[] = {"&File", "&Options", "Search", "&Help"};
  for (int i = 0; i < 4; ++i) {
    char text[32] = "";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, titles[i]);
  }
  for (int id : {IDM_MAIN_NEW1, IDM_MAIN_OPEN1, IDM_MAIN_SAVE1, IDM_MAIN_SAVEAS1, IDM_MAIN_EXIT1,
                 IDM_MAIN_CONFIGURATION1, IDM_MAIN_SEARCH2, IDM_MAIN_INDEX1, IDM_MAIN_ABOUT1}) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoA(menu, id, FALSE, &info)) << id;
    EXPECT_NE(info.hbmpItem, nullptr) << "no picture on item " << id;
  }
}

TEST_F(MainWindow, ThePaletteHasItsPagesAndButtonWidths) {
  HWND pages = GetDlgItem(GetDlgItem(form.hwnd(), IDC_MAIN_COOLBAR1), IDC_MAIN_PAGECONTROL1);
  ASSERT_TRUE(pages);
  struct Expected {
    int page, id, width;
  } buttons[] = {{IDC_MAIN_PAGE_NORMAL, IDC_MAIN_SPEEDBUTTON4, 41},
                 {IDC_MAIN_PAGE_NORMAL, IDC_MAIN_SPEEDBUTTON6, 72},
                 {IDC_MAIN_PAGE_NORMAL, IDC_MAIN_SPEEDBUTTON12, 72},
                 {IDC_MAIN_PAGE_NORMAL, IDC_MAIN_SPEEDBUTTON5, 40},
                 {IDC_MAIN_PAGE_TEXT, IDC_MAIN_SPEEDBUTTON9, 47},
                 {IDC_MAIN_PAGE_TEXT, IDC_MAIN_SPEEDBUTTON10, 56},
                 {IDC_MAIN_PAGE_TEXT, IDC_MAIN_SPEEDBUTTON11, 64},
                 {IDC_MAIN_PAGE_EFFECTS, IDC_MAIN_SPEEDBUTTON7, 65},
                 {IDC_MAIN_PAGE_EFFECTS, IDC_MAIN_SPEEDBUTTON8, 65}};
  for (const Expected& b : buttons) {
    HWND page = GetDlgItem(pages, b.page);
    ASSERT_TRUE(page);
    RECT r{};
    LRESULT index = SendMessageA(page, TB_COMMANDTOINDEX, b.id, 0);
    ASSERT_GE(index, 0) << b.id;
    SendMessageA(page, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right - r.left, b.width) << b.id;
    EXPECT_EQ(r.bottom - r.top, 40) << b.id;
  }
  // The window itself is not shown here: look at the pages' own visibility.
  auto shown = [&](int id) {
    return (GetWindowLongA(GetDlgItem(pages, id), GWL_STYLE) & WS_VISIBLE) != 0;
  };
  EXPECT_TRUE(shown(IDC_MAIN_PAGE_NORMAL));
  EXPECT_FALSE(shown(IDC_MAIN_PAGE_TEXT));
  EXPECT_FALSE(shown(IDC_MAIN_PAGE_EFFECTS));
}

TEST_F(MainWindow, TheEditorHoldsTheDocumentFontAndStyle) {
  LONG style = GetWindowLongA(memo, GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & WS_HSCROLL);
  EXPECT_FALSE(style & ES_AUTOHSCROLL) << "lines must wrap";
  EXPECT_FALSE(style & WS_TABSTOP);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(memo, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, "Courier New");
  EXPECT_EQ(font.lfHeight, -13);
  RECT outer;
  GetWindowRect(form.hwnd(), &outer);
  EXPECT_EQ(outer.right - outer.left, 864);
  EXPECT_EQ(outer.bottom - outer.top, 605);
}

// The window's menu with its pictures, fonts, brushes and image lists go with it, each
// once: making and closing it again and again leaves no object behind.
TEST_F(MainWindow, MakingAndClosingTheWindowLeavesNoObjectBehind) {
  auto again = [&] {
    TearDown();
    tavrin::TForm1 other{{errors, loop, processes, app.windowHandle(), setting, ""}};
    other.create(app.hwnd());
    ASSERT_TRUE(other.hwnd());
    DestroyWindow(other.hwnd());
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  };
  again();
  const long gdi = win32_tests::gdiObjects(), user = win32_tests::userObjects();
  for (int i = 0; i < 5; ++i)
    again();
  EXPECT_EQ(win32_tests::gdiObjects(), gdi);
  EXPECT_EQ(win32_tests::userObjects(), user);
}

} // namespace
