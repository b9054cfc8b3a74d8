// The About and Configuration dialogs in this process, under the program's own event
// loop: the keys a dialog handles (Tab, Shift+Tab, Enter, Esc) and the objects that
// showing and closing them leaves behind.
#include "app/Unit2.h"
#include "build/Unit3.h"
#include "build/script_folder.h"
#include "resource.h"
#include "gui_objects.h"
#include "win32/app_window.h"
#include "win32/error_box.h"
#include "win32/message_loop.h"
#include "win32/process_watcher.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

namespace {

using namespace tavrin;
using win32_tests::gdiObjects;
using win32_tests::userObjects;

class Dialogs : public ::testing::Test {
protected:
  void SetUp() override {
    about.create(app.hwnd());
    configuration.create(app.hwnd());
    ASSERT_TRUE(about.hwnd() && configuration.hwnd());
  }

  // Shows the dialog modally; act() runs from the loop once it is up and painted. A
  // dialog still open after five seconds is closed, and that counts as a failure.
  void showWhile(HWND dialog, const std::function<void()>& show, std::function<void()> act) {
    act_ = std::move(act);
    current_ = this;
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      current_->act_();
    });
    UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
      current_->stuck_ = true;
      for (HWND d : {current_->about.hwnd(), current_->configuration.hwnd()})
        ShowWindow(d, SW_HIDE);
    });
    show();
    KillTimer(nullptr, guard);
    EXPECT_FALSE(stuck_) << "the dialog did not close";
    EXPECT_FALSE(IsWindowVisible(dialog));
  }
  static void press(UINT vk) {
    PostMessageA(GetFocus(), WM_KEYDOWN, vk, 1);
    PostMessageA(GetFocus(), WM_KEYUP, vk, 0xC0000001);
  }

  win32::AppWindow app{"Tavrin by Molvane"};
  win32::ErrorBox errors{app.hwnd(), "Tavrin by Molvane"};
  win32::ProcessWatcher processes;
  win32::MessageLoop loop{processes, errors};
  ScriptFolder setting;
  TForm2 about{errors, loop};
  TForm3 configuration{errors, loop, app.windowHandle(), setting};
  std::function<void()> act_;
  bool stuck_ = false;
  static inline Dialogs* current_ = nullptr;
};

// Tab walks the buttons and the field in their order and back to the first; Shift+Tab
// walks back. The keys go to the dialog as the event loop hands them over.
TEST_F(Dialogs, TabAndShiftTabMoveThroughTheControlsInTheirOrder) {
  struct Case {
    HWND dialog;
    std::vector<int> order;
  } cases[] = {
      {about.hwnd(), {IDC_ABOUT_SPEEDBUTTON1, IDC_ABOUT_SPEEDBUTTON2}},
      {configuration.hwnd(),
       {IDC_CONFIG_EDIT1, IDC_CONFIG_SPEEDBUTTON1, IDC_CONFIG_SPEEDBUTTON3,
        IDC_CONFIG_SPEEDBUTTON2}},
  };
  for (const Case& c : cases) {
    ShowWindow(c.dialog, SW_SHOW);
    SetFocus(GetDlgItem(c.dialog, c.order[0]));
    auto key = [&](bool shift) {
      BYTE keys[256] = {};
      GetKeyboardState(keys);
      keys[VK_SHIFT] = shift ? 0x80 : 0;
      SetKeyboardState(keys);
      MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
      EXPECT_TRUE(IsDialogMessageA(c.dialog, &tab));
      keys[VK_SHIFT] = 0;
      SetKeyboardState(keys);
      return GetDlgCtrlID(GetFocus());
    };
    const std::size_t n = c.order.size();
    for (std::size_t i = 1; i <= n; ++i)
      EXPECT_EQ(key(false), c.order[i % n]) << "Tab, step " << i;
    for (std::size_t i = n; i-- > 0;)
      EXPECT_EQ(key(true), c.order[i]) << "Shift+Tab, back to " << i;
    ShowWindow(c.dialog, SW_HIDE);
  }
}

// Esc closes both dialogs as their Close buttons do, and Enter presses About's Close.
TEST_F(Dialogs, EscClosesBothAndEnterClosesAbout) {
  showWhile(
      about.hwnd(), [&] { about.showModal(); }, [] { press(VK_ESCAPE); });
  showWhile(
      about.hwnd(), [&] { about.showModal(); }, [] { press(VK_RETURN); });
  showWhile(
      configuration.hwnd(), [&] { configuration.showModal(); }, [] { press(VK_ESCAPE); });
  EXPECT_TRUE(IsWindow(about.hwnd()) && IsWindow(configuration.hwnd())) << "closing only hides";
}

TEST_F(Dialogs, OpeningAndClosingFiftyTimesLeavesNoObjectBehind) {
  auto round = [&] {
    showWhile(
        about.hwnd(), [&] { about.showModal(); },
        [&] { PostMessageA(about.hwnd(), WM_COMMAND, IDC_ABOUT_SPEEDBUTTON1, 0); });
    showWhile(
        configuration.hwnd(), [&] { configuration.showModal(); },
        [&] { PostMessageA(configuration.hwnd(), WM_COMMAND, IDCANCEL, 0); });
  };
  round(); // what the first showing loads and keeps (the pictures of the buttons)
  const long gdi = gdiObjects(), user = userObjects();
  ASSERT_GT(gdi, 0);
  ASSERT_GT(user, 0);
  for (int i = 0; i < 50; ++i)
    round();
  EXPECT_EQ(gdiObjects(), gdi);
  EXPECT_EQ(userObjects(), user);
}

} // namespace
