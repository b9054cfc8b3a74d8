// A running tavrin.exe, driven from another process only through its windows: start
// it, find its windows and controls, read their texts, type, run commands, answer its
// boxes and dialogs, close it. Every wait is bounded (see waiting.h).
#pragma once

#include "e2e/boxes.h"
#include "e2e/waiting.h"
#include "e2e/window_text.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace e2e {

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
