// Drives a running tavrin.exe from another process, only through its windows: start
// it, find its controls, read their texts, type, click commands and answer its boxes
// and dialogs. Every wait is bounded; a wait that runs out throws e2e::Timeout, which
// GoogleTest reports as a failure of the running test with the message.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

constexpr DWORD kWaitMs = 10000;

struct Timeout : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Polls `done` every few milliseconds; throws Timeout("waiting for " + what) when it is
// still false after `ms`.
template <class Done> bool eventually(Done done, DWORD ms = kWaitMs) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() > end) return false;
    Sleep(10);
  }
}
template <class Done> void waitUntil(Done done, const std::string& what, DWORD ms = kWaitMs) {
  if (!eventually(done, ms)) throw Timeout("timed out waiting for " + what);
}

std::string windowText(HWND hwnd);
std::string className(HWND hwnd);
HWND descendant(HWND root, int id); // a child at any depth with this control ID

// A folder of its own under the Windows temp folder, removed with its files at the end.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }                          // ends in a backslash
  std::string file(const std::string& name, const std::string& bytes) const; // full path
private:
  std::string path_;
};

// A path in double quotes, as one argument of a command line.
std::string quoted(const std::string& path);
// The platform's description of an error as the program's error boxes show it: without
// its trailing spaces, line breaks and full stops.
std::string systemDescription(DWORD code);

// The names in a folder (given with its final backslash) that match the pattern,
// without "." and "..".
std::vector<std::string> namesIn(const std::string& folder, const std::string& pattern = "*");

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
void setLastWrite(const std::string& path, const SYSTEMTIME& local);

// A #32770 window of the app: a message box or a common dialog.
class Box {
public:
  explicit Box(HWND hwnd) : hwnd_(hwnd) {}
  HWND hwnd() const { return hwnd_; }
  std::string caption() const { return windowText(hwnd_); }
  std::string text() const; // a message box's text (the static 0xFFFF)
  void press(int id) const; // posted, so a nested prompt can't block the driver
  void setItemText(int id, const std::string& text) const;
  void waitClosed(const std::string& what) const;

private:
  HWND hwnd_;
};

// One registry value of the test prefix, kept as it was and put back at the end (or
// removed when it did not exist), so a test may set it freely in between.
class RegistryValue {
public:
  RegistryValue(HKEY root, std::string key, std::string name);
  ~RegistryValue();
  RegistryValue(const RegistryValue&) = delete;
  RegistryValue& operator=(const RegistryValue&) = delete;
  void setString(const std::string& text, DWORD type = REG_SZ) const;
  void setDword(DWORD value) const;
  void remove() const;
  // The value's type and bytes now; nullopt when it does not exist.
  std::optional<std::pair<DWORD, std::string>> read() const;
  // A REG_SZ value's text without its terminating zero; nullopt for another type.
  std::optional<std::string> readString() const;

private:
  HKEY root_;
  std::string key_, name_;
  std::optional<std::pair<DWORD, std::string>> saved_;
  bool keyExisted_ = false;
};

// A visible top-level window of process `pid` with this class (and caption when one is
// given); nullptr when there is none.
HWND findTopLevel(DWORD pid, const std::string& cls, const std::string& caption = "");

// Ids of the running processes with this executable name (any case), only those started
// by `parent` when one is given.
std::vector<DWORD> processesNamed(const std::string& exeName,
                                  std::optional<DWORD> parent = std::nullopt);

// Marks the constructor of App that does not wait for the main window.
struct NoWait {};

class App {
public:
  // Starts the app like the constructor below, but returns at once: for a start-up
  // that shows boxes before the main window. Call waitMainWindow() afterwards.
  App(NoWait, const std::string& arguments = "", const std::string& folder = "");
  void waitMainWindow();
  HWND waitAppWindow() const; // the TApplication window, waited for
  // A window of this process with this class, visible, waited for.
  HWND waitWindow(const std::string& cls, const std::string& caption = "",
                  DWORD ms = kWaitMs) const;
  // Posts a command to a window of the app other than the main window (a dialog's
  // button), as a click on it does.
  void commandTo(HWND window, int id) const;
  // Runs the folder browser (already opened) with this folder chosen, OK.
  void chooseFolder(const std::string& folder) const;
  // Sets a control's text as WM_SETTEXT does (no typing).
  void setText(HWND control, const std::string& text) const;

  // Starts TAVRIN_EXE with `arguments` appended to its command line, in `folder` (the
  // driver's current folder when empty), and waits until its main window is up and
  // its start-up is done.
  explicit App(const std::string& arguments = "", const std::string& folder = "");
  ~App(); // closes it; ends it by force if it won't go
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  HWND main() const { return main_; }
  HWND appWindow() const; // the hidden "TApplication" window
  HWND control(int id) const;
  DWORD pid() const { return pid_; }

  std::string caption() const { return windowText(main_); }
  std::string nameBar() const;
  std::string editorText() const;
  std::string statusText(int part) const;
  std::pair<DWORD, DWORD> selection() const; // EM_GETSEL: start, end
  void select(DWORD start, DWORD end) const;
  bool toolbarSaveEnabled() const;
  // The File menu's Save item; nullopt when the platform can't read another process's
  // menu.
  std::optional<bool> menuSaveEnabled() const;
  bool isRunning() const;

  // Types into the editor as the keyboard does (WM_CHAR per character, "\r" for Enter)
  // and waits until the editor took every character.
  void type(const std::string& chars) const;
  // A key that types one character, pressed and released as the keyboard does: the
  // app's own event loop turns WM_KEYDOWN into the WM_CHAR.
  void pressKey(UINT vk) const;
  // Runs a menu item's or a toolbar or palette button's command, as a click does.
  void command(int id) const;
  // A toolbar button's rectangle in its toolbar's client area (TB_GETRECT by command).
  RECT toolbarButtonRect(HWND toolbar, int command) const;
  // A left click at a point of a window's client area: the mouse's press and release,
  // posted.
  void click(HWND window, POINT at) const;
  // The folder an Open or Save As dialog is showing (CDM_GETFOLDERPATH).
  std::string dialogFolder(const Box& dialog) const;
  void close() const; // asks the main window to close (posted WM_CLOSE)

  // A visible #32770 of this process owned by `owner`, with this caption if one is given.
  Box waitBox(HWND owner, const std::string& caption = "", DWORD ms = kWaitMs) const;
  std::optional<Box> findBox(HWND owner, const std::string& caption = "") const;
  // Runs the Open or Save As dialog (already opened by a command) with a full path, OK.
  void chooseFile(const std::string& dialogCaption, const std::string& path) const;
  bool waitExit(DWORD ms = kWaitMs) const;
  // Wait up to kWaitMs for a value; the caller then checks it, so a miss shows both.
  bool waitNameBar(const std::string& expected) const;
  bool waitEditorText(const std::string& expected) const;

private:
  void start(const std::string& arguments, const std::string& folder);
  PROCESS_INFORMATION process_{};
  DWORD pid_ = 0;
  HWND main_ = nullptr;
};

} // namespace e2e
