// The About dialog, its links and the Help command, driven through the app's windows.
// What the shell is asked to open is seen through per-user shell commands that the
// tests install for the http and mailto schemes: a script that writes down what it
// got, so nothing reaches a network.
#include "e2e/driver.h"

#include "resource.h"
#include "version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace {

using e2e::App;
using e2e::Box;
using e2e::TempFolder;

HWND openAbout(const App& app) {
  app.command(IDM_MAIN_ABOUT1);
  return app.waitWindow("TForm2", "About");
}

std::string itemText(HWND dialog, int id) {
  HWND item = e2e::descendant(dialog, id);
  if (!item) throw std::runtime_error("no item " + std::to_string(id));
  return e2e::windowText(item);
}

void closeAbout(const App& app, HWND about) {
  app.commandTo(about, IDC_ABOUT_SPEEDBUTTON1);
  e2e::waitUntil([&] { return !IsWindowVisible(about); }, "the About dialog to close");
  // The program hides the dialog, then gives the main window its input back: another step
  // of its own that this process may see a moment later.
  e2e::waitUntil([&] { return IsWindowEnabled(app.main()) != FALSE; },
                 "the main window to take input again");
}

TEST(About, OpensWithItsTextsAndButtons) {
  App app;
  HWND about = openAbout(app);
  EXPECT_EQ(GetWindow(about, GW_OWNER), app.appWindow());
  RECT client{}, outer{};
  GetClientRect(about, &client);
  GetWindowRect(about, &outer);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 231);
  EXPECT_EQ(outer.left, 414);
  EXPECT_EQ(outer.top, 235);
  const LONG style = GetWindowLongA(about, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  // The rest of the program waits while it is open.
  EXPECT_FALSE(IsWindowEnabled(app.main()));

  const std::pair<int, const char*> texts[] = {
      {IDC_ABOUT_VERSION, "Version " TAVRIN_VERSION},
      {IDC_ABOUT_LABEL2, "E-Mail:"},
      {IDC_ABOUT_LABEL4, "Website:"},
      {IDC_ABOUT_DUTCH, " (only in Dutch)"},
      {IDC_ABOUT_QUESTIONS, "Do you have questions or you need information?"},
      {IDC_ABOUT_ENJOY, "I enjoy hearing from you!"},
      {IDC_ABOUT_NOTE, "Note that the compiler is only for real asm NOT for ION "},
      {IDC_ABOUT_BETA, "Beta version " TAVRIN_VERSION},
      {IDC_ABOUT_SPEEDBUTTON1, "Close"},
      {IDC_ABOUT_SPEEDBUTTON2, "Website"},
  };
  for (const auto& [id, text] : texts)
    EXPECT_EQ(itemText(about, id), text) << "item " << id;
  // The links show the addresses themselves; the maker named is ours.
  EXPECT_NE(itemText(about, IDC_ABOUT_LABEL3).find('@'), std::string::npos);
  EXPECT_NE(itemText(about, IDC_ABOUT_LABEL5).find(".example"), std::string::npos);
  EXPECT_NE(itemText(about, IDC_ABOUT_CREDIT).find("Molvane"), std::string::npos);
  EXPECT_NE(itemText(about, IDC_ABOUT_SIGNATURE).find("Molvane"), std::string::npos);
  // Lines from top to bottom in their order.
  const int order[] = {IDC_ABOUT_CREDIT,    IDC_ABOUT_LABEL3,      IDC_ABOUT_LABEL5,
                       IDC_ABOUT_QUESTIONS, IDC_ABOUT_ENJOY,       IDC_ABOUT_SIGNATURE,
                       IDC_ABOUT_NOTE,      IDC_ABOUT_SPEEDBUTTON1};
  LONG previous = -1;
  for (int id : order) {
    RECT r{};
    GetWindowRect(e2e::descendant(about, id), &r);
    EXPECT_GT(r.top, previous) << "item " << id;
    previous = r.top;
  }
  for (int id : {IDC_ABOUT_SPEEDBUTTON1, IDC_ABOUT_SPEEDBUTTON2}) {
    RECT r{};
    GetWindowRect(e2e::descendant(about, id), &r);
    EXPECT_EQ(r.right - r.left, 65) << "button " << id;
    EXPECT_EQ(r.bottom - r.top, 22) << "button " << id;
  }
  closeAbout(app, about);
  EXPECT_TRUE(IsWindowEnabled(app.main()));
}

TEST(About, CloseHidesItAndTheSameDialogComesBack) {
  App app;
  HWND first = openAbout(app);
  const std::string note = itemText(first, IDC_ABOUT_NOTE);
  closeAbout(app, first);
  EXPECT_TRUE(IsWindow(first));
  EXPECT_TRUE(IsWindowEnabled(app.main()));
  // The main window takes commands again.
  app.type("x");
  EXPECT_EQ(app.editorText(), "x");

  HWND second = openAbout(app);
  EXPECT_EQ(second, first);
  EXPECT_EQ(itemText(second, IDC_ABOUT_NOTE), note);
  EXPECT_EQ(itemText(second, IDC_ABOUT_VERSION), "Version " TAVRIN_VERSION);
  // The close box closes it too.
  PostMessageA(second, WM_CLOSE, 0, 0);
  e2e::waitUntil([&] { return !IsWindowVisible(second); }, "the About dialog to close");
  EXPECT_TRUE(IsWindow(second));
}

// --- the links --------------------------------------------------------------------------

// An "open" command for a URL scheme, run instead of the browser or mail program, and
// put back as it was at the end. It goes into HKEY_CLASSES_ROOT itself: Wine's shell
// reads scheme commands only there, not from the user's own classes.
class SchemeCommand {
public:
  SchemeCommand(const std::string& scheme, const std::string& command) : key_(scheme) {
    HKEY k = nullptr;
    existed_ = RegOpenKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS;
    if (existed_) RegCloseKey(k);
    value_.emplace(HKEY_CLASSES_ROOT, key_ + "\\shell\\open\\command", "");
    value_->setString(command);
  }
  ~SchemeCommand() {
    value_.reset();
    if (!existed_) RegDeleteTreeA(HKEY_CLASSES_ROOT, key_.c_str());
  }

private:
  std::string key_;
  bool existed_ = false;
  std::optional<e2e::RegistryValue> value_;
};

class AboutLinks : public testing::Test {
protected:
  TempFolder folder_;
  const std::string recorder_ =
      folder_.file("record.bat", "@echo off\r\necho [%~1]>>\"%~dp0opened.txt\"\r\n");
  SchemeCommand http_{"http", "\"" + recorder_ + "\" \"%1\""};
  SchemeCommand mailto_{"mailto", "\"" + recorder_ + "\" \"%1\""};

  std::string opened() const {
    const std::string log = folder_.path() + "opened.txt";
    return e2e::fileExists(log) ? e2e::readFile(log) : "";
  }
  bool waitOpened(const std::string& expected) const {
    return e2e::eventually([&] { return opened() == expected; });
  }
  static void click(HWND control) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
};

TEST_F(AboutLinks, WebsiteButtonLinkAndMailReachTheShell) {
  App app;
  HWND about = openAbout(app);
  std::string site = itemText(about, IDC_ABOUT_LABEL5);
  if (site.rfind("http://", 0) != 0) site = "http://" + site;
  const std::string mail = "mailto:" + itemText(about, IDC_ABOUT_LABEL3);

  std::string expected = "[" + site + "]\r\n";
  app.commandTo(about, IDC_ABOUT_SPEEDBUTTON2);
  EXPECT_TRUE(waitOpened(expected)) << opened();

  expected += "[" + site + "]\r\n";
  click(e2e::descendant(about, IDC_ABOUT_LABEL5));
  EXPECT_TRUE(waitOpened(expected)) << opened();

  expected += "[" + mail + "]\r\n";
  click(e2e::descendant(about, IDC_ABOUT_LABEL3));
  EXPECT_TRUE(waitOpened(expected)) << opened();

  // The plain texts are no links.
  click(e2e::descendant(about, IDC_ABOUT_LABEL4));
  click(e2e::descendant(about, IDC_ABOUT_CREDIT));
  Sleep(500);
  EXPECT_EQ(opened(), expected);
  // Nothing else came up, and the dialog stays open.
  EXPECT_TRUE(IsWindowVisible(about));
  EXPECT_FALSE(app.findBox(about).has_value());
  closeAbout(app, about);
}

// --- Help > Index -------------------------------------------------------------------------

TEST(HelpIndex, WithoutHelpFileShowsTheError) {
  TempFolder start; // no help folder here
  App app("", start.path());
  app.command(IDM_MAIN_INDEX1);
  Box box = app.waitBox(app.main(), "Error");
  EXPECT_EQ(box.text(), "Helpfile was not found.");
  EXPECT_NE(GetDlgItem(box.hwnd(), IDOK), nullptr);
  EXPECT_EQ(GetDlgItem(box.hwnd(), IDCANCEL), nullptr);
  box.press(IDOK);
  box.waitClosed("the error box");
  EXPECT_EQ(app.nameBar(), "NoName");
}

// The help file the build puts beside tavrin.exe, or a stand-in when there is none.
std::string helpFileBytes() {
  std::string exe = std::getenv("TAVRIN_EXE");
  for (char& c : exe)
    if (c == '/') c = '\\';
  if (exe.front() == '\\') exe = "Z:" + exe;
  const std::string beside = exe.substr(0, exe.find_last_of('\\') + 1) + "help\\helpfile.hlp";
  return e2e::fileExists(beside) ? e2e::readFile(beside) : std::string("?_\3\0", 4);
}

// The help viewers started since `before` was taken, waited for a while.
std::vector<DWORD> newViewers(const std::vector<DWORD>& before) {
  std::vector<DWORD> viewers;
  e2e::eventually([&] {
    viewers.clear();
    for (DWORD id : e2e::processesNamed("winhlp32.exe"))
      if (std::find(before.begin(), before.end(), id) == before.end()) viewers.push_back(id);
    return !viewers.empty();
  });
  return viewers;
}

void endProcesses(const std::vector<DWORD>& ids) {
  for (DWORD id : ids) {
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
      TerminateProcess(p, 0);
      WaitForSingleObject(p, e2e::kWaitMs);
      CloseHandle(p);
    }
  }
}

TEST(HelpIndex, WithHelpFileOpensTheViewerAndShowsNoError) {
  TempFolder start;
  ASSERT_TRUE(CreateDirectoryA((start.path() + "help").c_str(), nullptr));
  e2e::writeFile(start.path() + "help\\helpfile.hlp", helpFileBytes());
  const std::vector<DWORD> before = e2e::processesNamed("winhlp32.exe");
  App app("", start.path());
  app.command(IDM_MAIN_INDEX1);
  const std::vector<DWORD> viewers = newViewers(before);
  EXPECT_FALSE(viewers.empty()) << "no help viewer started";
  Sleep(300);
  EXPECT_FALSE(app.findBox(app.main()).has_value()) << "a box came up over the main window";
  endProcesses(viewers);
}

// F1 while a menu is open asks the help viewer for the help file beside the program,
// wherever the program was started.
TEST(HelpF1, InAnOpenMenuStartsTheViewer) {
  const std::vector<DWORD> before = e2e::processesNamed("winhlp32.exe");
  TempFolder start; // no help folder where it starts
  App app("", start.path());
  PostMessageA(app.main(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
  Sleep(300);
  PostMessageA(app.main(), WM_KEYDOWN, VK_F1, 0);
  const std::vector<DWORD> viewers = newViewers(before);
  EXPECT_FALSE(viewers.empty()) << "no help viewer started";
  PostMessageA(app.main(), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(app.main(), WM_KEYDOWN, VK_ESCAPE, 0);
  Sleep(300);
  EXPECT_FALSE(app.findBox(app.main()).has_value()) << "a box came up over the main window";
  EXPECT_FALSE(app.findBox(app.appWindow()).has_value()) << "an error box came up";
  endProcesses(viewers);
}

// F1 with no menu open does nothing.
TEST(HelpF1, WithoutAMenuDoesNothing) {
  const std::vector<DWORD> before = e2e::processesNamed("winhlp32.exe");
  App app;
  PostMessageA(app.control(IDC_MAIN_MEMO1), WM_KEYDOWN, VK_F1, 0);
  PostMessageA(app.control(IDC_MAIN_MEMO1), WM_KEYUP, VK_F1, 0);
  Sleep(1000);
  EXPECT_EQ(e2e::processesNamed("winhlp32.exe"), before);
  EXPECT_TRUE(app.isRunning());
}

} // namespace
