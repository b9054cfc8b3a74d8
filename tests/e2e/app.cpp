// App's life: starting the program, waiting for its windows, closing it.
#include "e2e/app.h"

#include "e2e/lookup.h"
#include "e2e/remote_messages.h"

#include <cstdlib>
#include <stdexcept>

namespace e2e {

namespace {

std::string tavrinExe() {
  const char* exe = std::getenv("TAVRIN_EXE");
  if (!exe || !*exe) throw std::runtime_error("TAVRIN_EXE is not set");
  std::string path = exe;
  // Under Wine a build may hand over the Unix path; drive Z: is the Unix root there.
  if (path.front() == '/') {
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
  return path;
}

} // namespace

App::App(const std::string& arguments, const std::string& folder) {
  start(arguments, folder);
  waitMainWindow();
}

App::App(NoWait, const std::string& arguments, const std::string& folder) {
  start(arguments, folder);
}

void App::start(const std::string& arguments, const std::string& folder) {
  const std::string exe = tavrinExe();
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process_))
    throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(GetLastError()) +
                             ")");
  pid_ = process_.dwProcessId;
}

void App::waitMainWindow() {
  waitUntil(
      [&] {
        main_ = findTopLevel({.pid = pid_, .cls = "TForm1"});
        return main_ != nullptr || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
      },
      "the main window", 30000);
  if (!main_) throw std::runtime_error("the app ended before showing its main window");
  // Start-up opens the command line's file after showing the window; a message sent
  // now is handled only once the app waits in its event loop (or in an error box).
  WaitForInputIdle(process_.hProcess, kWaitMs);
  sendBounded(main_, WM_NULL, 0, 0, "the first message");
}

HWND App::waitAppWindow() const {
  HWND h = nullptr;
  waitUntil(
      [&] {
        return (h = findTopLevel({.pid = pid_, .cls = "TApplication", .hiddenToo = true})) !=
               nullptr;
      },
      "the TApplication window", 30000);
  return h;
}

HWND App::waitWindow(const std::string& cls, const std::string& caption, DWORD ms) const {
  HWND h = nullptr;
  waitUntil(
      [&] { return (h = findTopLevel({.pid = pid_, .cls = cls, .caption = caption})) != nullptr; },
      "a window of class " + cls + (caption.empty() ? "" : " \"" + caption + "\""), ms);
  return h;
}

HWND App::appWindow() const {
  HWND h = findTopLevel({.pid = pid_, .cls = "TApplication", .hiddenToo = true});
  if (!h) throw std::runtime_error("no TApplication window");
  return h;
}

HWND App::control(int id) const {
  HWND h = descendant(main_, id);
  if (!h) throw std::runtime_error("no control with ID " + std::to_string(id));
  return h;
}

bool App::isRunning() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void App::close() const {
  PostMessageA(main_, WM_CLOSE, 0, 0);
}

bool App::waitExit(DWORD ms) const {
  return WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0;
}

App::~App() {
  if (isRunning()) {
    close();
    // Unsaved changes: a test that did not answer the prompt leaves them unsaved.
    const ULONGLONG end = GetTickCount64() + 5000;
    while (isRunning() && GetTickCount64() < end) {
      if (auto box = findBox(main_, "Save")) box->press(IDNO);
      if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) break;
    }
    if (isRunning()) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kWaitMs);
    }
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

} // namespace e2e
