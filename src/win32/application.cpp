#include "win32/application.h"

#include "core/error.h"
#include "win32/window_base.h"

namespace tavrin::win32 {

namespace {
LRESULT CALLBACK appWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // Activating the taskbar button brings the main window forward.
  if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE) {
    HWND main = Application::instance().mainWindow();
    if (main && IsWindowEnabled(main)) SetFocus(main);
    return 0;
  }
  // Closing from the taskbar button closes the main window, which asks about unsaved
  // changes first; the application window goes only with it.
  if (msg == WM_CLOSE) {
    HWND main = Application::instance().mainWindow();
    if (main && IsWindowEnabled(main)) PostMessageA(main, WM_CLOSE, 0, 0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}
} // namespace

Application& Application::instance() {
  static Application app;
  return app;
}

void Application::initialize(const std::string& title) {
  title_ = title;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = appWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = "TApplication";
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  RegisterClassExA(&wc);
  // Zero-sized and off to the side: never seen as a window, but it carries the title.
  appWindow_ = CreateWindowExA(0, "TApplication", title.c_str(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                               nullptr, nullptr, instance, nullptr);
  if (appWindow_) ShowWindow(appWindow_, SW_SHOWNOACTIVATE);
}

void Application::setMainWindow(HWND main, HACCEL accelerators) {
  mainWindow_ = main;
  accelerators_ = accelerators;
}

void Application::watchProcess(HANDLE process, std::function<void()> onEnd) {
  watched_.push_back({process, std::move(onEnd)});
}

void Application::waitForInput() {
  std::vector<HANDLE> handles;
  handles.reserve(watched_.size());
  for (auto& w : watched_)
    handles.push_back(w.process);
  // One wait covers at most MAXIMUM_WAIT_OBJECTS - 1 handles besides the queue.
  DWORD count = static_cast<DWORD>(std::min<size_t>(handles.size(), MAXIMUM_WAIT_OBJECTS - 1));
  DWORD r = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                        MWMO_INPUTAVAILABLE);
  if (r < WAIT_OBJECT_0 + count) {
    Watched ended = std::move(watched_[r - WAIT_OBJECT_0]);
    watched_.erase(watched_.begin() + (r - WAIT_OBJECT_0));
    CloseHandle(ended.process);
    guarded([&] { ended.onEnd(); });
  }
}

bool Application::pumpOne(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    quit_ = true;
    exitCode_ = static_cast<int>(msg.wParam);
    return true;
  }
  if (modeless_ && IsWindow(modeless_) && IsDialogMessageA(modeless_, &msg)) return true;
  if (accelerators_ && mainWindow_ && IsWindowEnabled(mainWindow_) &&
      TranslateAcceleratorA(mainWindow_, accelerators_, &msg))
    return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

int Application::run() {
  MSG msg;
  while (!quit_) {
    while (!quit_ && pumpOne(msg)) {
    }
    if (!quit_) waitForInput();
  }
  for (auto& w : watched_)
    CloseHandle(w.process);
  watched_.clear();
  return exitCode_;
}

void Application::runUntil(const std::function<bool()>& done) {
  MSG msg;
  while (!quit_ && !done()) {
    if (!pumpOne(msg)) waitForInput();
  }
  // A WM_QUIT seen inside a nested loop must still end the outer one.
  if (quit_) PostQuitMessage(exitCode_);
  quit_ = false;
}

namespace {
struct Collect {
  HWND keep;
  std::vector<HWND>* out;
};
BOOL CALLBACK collectEnabled(HWND h, LPARAM lp) {
  auto* c = reinterpret_cast<Collect*>(lp);
  if (h != c->keep && IsWindowVisible(h) && IsWindowEnabled(h)) c->out->push_back(h);
  return TRUE;
}
} // namespace

ModalScope::ModalScope(HWND owner) {
  Collect c{owner, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&c));
  for (HWND h : disabled_)
    EnableWindow(h, FALSE);
}

ModalScope::~ModalScope() {
  for (HWND h : disabled_)
    if (IsWindow(h)) EnableWindow(h, TRUE);
}

} // namespace tavrin::win32
