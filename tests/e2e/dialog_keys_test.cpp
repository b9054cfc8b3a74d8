// The keys of the program's dialogs, pressed in the running program: Esc closes About
// and Configuration as their Close buttons do, Tab moves on, Enter saves the folder;
// and the Find dialog comes back with what the user left in it.
#include "e2e/driver.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <dlgs.h>

namespace {

using e2e::App;
using e2e::Box;

HWND focusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// A key pressed where the keyboard focus is, as the keyboard sends it.
void pressKey(HWND window, UINT vk) {
  HWND focus = focusOf(window);
  ASSERT_NE(focus, nullptr);
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(focus, WM_KEYDOWN, vk, 1 | scan);
  PostMessageA(focus, WM_KEYUP, vk, 1 | scan | 0xC0000000);
}

TEST(DialogKeys, EscClosesAboutAndConfiguration) {
  App app;
  const struct {
    int command;
    const char* cls;
    const char* caption;
  } dialogs[] = {{IDM_MAIN_ABOUT1, "TForm2", "About"},
                 {IDM_MAIN_CONFIGURATION1, "TForm3", "Configuration"}};
  for (const auto& d : dialogs) {
    SCOPED_TRACE(d.caption);
    app.command(d.command);
    HWND dialog = app.waitWindow(d.cls, d.caption);
    e2e::waitUntil([&] { return IsChild(dialog, focusOf(dialog)) != FALSE; }, "the focus");
    pressKey(dialog, VK_ESCAPE);
    e2e::waitUntil([&] { return !IsWindowVisible(dialog); }, "Esc to close the dialog");
    e2e::waitUntil([&] { return IsWindowEnabled(app.main()) != FALSE; }, "the main window");
  }
}

TEST(DialogKeys, EnterInTheFolderSavesItAndTabMovesOnToBrowse) {
  e2e::RegistryValue setting(HKEY_LOCAL_MACHINE, "Software\\Molvane\\Z80", "asmbatdir");
  setting.remove();
  App app;
  for (int showing = 1; showing <= 2; ++showing) {
    app.command(IDM_MAIN_CONFIGURATION1);
    HWND dialog = app.waitWindow("TForm3", "Configuration");
    HWND field = e2e::descendant(dialog, IDC_CONFIG_EDIT1);
    e2e::waitUntil([&] { return focusOf(dialog) == field; }, "the field to take the focus");
    if (showing == 1) {
      app.setText(field, "d:\\kit");
      pressKey(dialog, VK_RETURN);
      Box saved = app.waitBox(dialog);
      EXPECT_EQ(saved.text(), "Directory is succesfully saved!");
      saved.press(IDOK);
      EXPECT_EQ(setting.readString(), "d:\\kit\\");
    } else {
      pressKey(dialog, VK_TAB);
      e2e::waitUntil(
          [&] { return focusOf(dialog) == e2e::descendant(dialog, IDC_CONFIG_SPEEDBUTTON1); },
          "Tab to move on to the browse button");
      pressKey(dialog, VK_ESCAPE);
    }
    e2e::waitUntil([&] { return !IsWindowVisible(dialog); }, "the dialog to close");
  }
}

TEST(Find, KeepsItsTextMatchCaseWholeWordAndDirectionBetweenShowings) {
  App app;
  app.command(IDM_MAIN_SEARCH2);
  Box first = app.waitBox(app.main(), "Find");
  first.setItemText(edt1, "label");
  for (int option : {chx1, chx2, rad1}) // whole word, match case, up
    PostMessageA(GetDlgItem(first.hwnd(), option), BM_CLICK, 0, 0);
  e2e::waitUntil(
      [&] { return SendMessageA(GetDlgItem(first.hwnd(), rad1), BM_GETCHECK, 0, 0) != 0; },
      "the options to be set");
  first.press(IDCANCEL);
  first.waitClosed("the Find dialog");

  app.command(IDM_MAIN_SEARCH2);
  Box again = app.waitBox(app.main(), "Find");
  auto checked = [&](int id) {
    return SendMessageA(GetDlgItem(again.hwnd(), id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  EXPECT_EQ(e2e::windowText(GetDlgItem(again.hwnd(), edt1)), "label");
  EXPECT_TRUE(checked(chx1)) << "whole word";
  EXPECT_TRUE(checked(chx2)) << "match case";
  EXPECT_TRUE(checked(rad1)) << "up";
  EXPECT_FALSE(checked(rad2));
  again.press(IDCANCEL);
  again.waitClosed("the Find dialog");
}

} // namespace
