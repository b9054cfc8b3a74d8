// Box, and the members of App that find boxes and run the common dialogs.
#include "e2e/boxes.h"

#include "e2e/app.h"
#include "e2e/lookup.h"
#include "e2e/remote_messages.h"
#include "e2e/waiting.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <stdexcept>

namespace e2e {

std::string Box::text() const {
  HWND label = GetDlgItem(hwnd_, 0xFFFF);
  if (!label) throw std::runtime_error("the box has no text label");
  return windowText(label);
}

void Box::press(int id) const {
  PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(hwnd_, id)));
}

void Box::setItemText(int id, const std::string& text) const {
  HWND item = GetDlgItem(hwnd_, id);
  if (!item) throw std::runtime_error("the dialog has no item " + std::to_string(id));
  sendBounded(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), "WM_SETTEXT");
}

void Box::waitClosed(const std::string& what) const {
  waitUntil([&] { return !IsWindow(hwnd_) || !IsWindowVisible(hwnd_); }, what + " to close");
}

std::string systemDescription(DWORD code) {
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : "";
  if (buffer) LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '.'))
    text.pop_back();
  return text;
}

std::optional<Box> App::findBox(HWND owner, const std::string& caption) const {
  if (HWND h = findTopLevel({.pid = pid_, .cls = "#32770", .caption = caption, .owner = owner}))
    return Box(h);
  return std::nullopt;
}

Box App::waitBox(HWND owner, const std::string& caption, DWORD ms) const {
  std::optional<Box> box;
  waitUntil([&] { return (box = findBox(owner, caption)).has_value(); },
            "a box \"" + caption + "\" owned by window of class " + className(owner), ms);
  return *box;
}

void App::chooseFile(const std::string& dialogCaption, const std::string& path) const {
  Box dialog = waitBox(main_, dialogCaption);
  dialog.setItemText(0x47c, path);
  dialog.press(IDOK);
}

void App::chooseFolder(const std::string& folder) const {
  Box browser = waitBox(appWindow(), "Browse for Folder");
  RemoteBuffer path(process_.hProcess, folder.size() + 1);
  path.write(folder + '\0');
  // The browser fills and expands its tree after it shows, and may move the selection
  // back to its root while it does: select once the tree has items, and again a moment
  // later.
  HWND tree = GetDlgItem(browser.hwnd(), 0x3741);
  waitUntil([&] { return tree && sendBounded(tree, TVM_GETCOUNT, 0, 0, "TVM_GETCOUNT") > 0; },
            "the folder browser's tree");
  for (int i = 0; i < 2; ++i) {
    sendBounded(browser.hwnd(), BFFM_SETSELECTIONA, TRUE, path.lparam(), "BFFM_SETSELECTIONA");
    Sleep(300);
  }
  browser.press(IDOK);
  browser.waitClosed("the folder browser");
}

std::string App::dialogFolder(const Box& dialog) const {
  RemoteBuffer buffer(process_.hProcess, MAX_PATH * 4);
  const LRESULT n = sendBounded(dialog.hwnd(), CDM_GETFOLDERPATH, MAX_PATH * 4, buffer.lparam(),
                                "CDM_GETFOLDERPATH");
  if (n <= 0) return "";
  return buffer.readString();
}

} // namespace e2e
