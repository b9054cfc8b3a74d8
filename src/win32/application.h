#pragma once
// The application: its hidden window (the title on the taskbar, the owner of the main
// window, the dialogs and the default error box) and the event loop.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tavrin::win32 {

class Application {
public:
  static Application& instance();

  void initialize(const std::string& title);
  HWND appWindow() const { return appWindow_; }
  const std::string& title() const { return title_; }
  void setMainWindow(HWND main, HACCEL accelerators);
  HWND mainWindow() const { return mainWindow_; }
  // A modeless dialog whose keys the loop lets it handle (the Find dialog).
  void setModelessDialog(HWND dialog) { modeless_ = dialog; }
  void setHelpFile(const std::string& path) { helpFile_ = path; }
  const std::string& helpFile() const { return helpFile_; }

  // Calls onEnd once when the process handle is signalled; the loop owns the handle.
  void watchProcess(HANDLE process, std::function<void()> onEnd);
  // Runs the event loop until WM_QUIT; returns its exit code.
  int run();
  // Runs a nested loop until done() says so (modal windows).
  void runUntil(const std::function<bool()>& done);

private:
  bool pumpOne(MSG& msg);
  void waitForInput();
  HWND appWindow_ = nullptr;
  HWND mainWindow_ = nullptr;
  HWND modeless_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::string title_;
  std::string helpFile_;
  struct Watched {
    HANDLE process;
    std::function<void()> onEnd;
  };
  std::vector<Watched> watched_;
  bool quit_ = false;
  int exitCode_ = 0;
};

// While alive, every window of the program but `owner` takes no input, as for a
// modal box or dialog that `owner` owns.
class ModalScope {
public:
  explicit ModalScope(HWND owner);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

private:
  std::vector<HWND> disabled_;
};

} // namespace tavrin::win32
