// Acting on the app as its user does: typing, pressing keys, clicking, running commands
// and setting texts and the editor's selection.
#include "e2e/app.h"

#include "e2e/lookup.h"
#include "e2e/remote_messages.h"

#include "resource.h"

namespace e2e {

void App::type(const std::string& chars) const {
  HWND edit = control(IDC_MAIN_MEMO1);
  const DWORD start = selection().first;
  DWORD caret = start;
  for (char c : chars) {
    PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    caret += c == '\r' ? 2 : 1;
  }
  // The caret lands after the last character once every one of them was handled.
  waitUntil([&] { return selection() == std::make_pair(caret, caret); },
            "the editor to take \"" + chars + "\"");
}

void App::pressKey(UINT vk) const {
  HWND edit = control(IDC_MAIN_MEMO1);
  const DWORD caret = selection().first + 1;
  const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
  PostMessageA(edit, WM_KEYDOWN, vk, 1 | (scan << 16));
  PostMessageA(edit, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
  waitUntil([&] { return selection() == std::make_pair(caret, caret); },
            "the editor to take key " + std::to_string(vk));
}

void App::select(DWORD start, DWORD end) const {
  sendBounded(control(IDC_MAIN_MEMO1), EM_SETSEL, start, end, "EM_SETSEL");
}

void App::setText(HWND control, const std::string& text) const {
  sendBounded(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), "WM_SETTEXT");
}

void App::command(int id) const {
  PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void App::commandTo(HWND window, int id) const {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(descendant(window, id)));
}

void App::click(HWND window, POINT at) const {
  const LPARAM point = MAKELPARAM(at.x, at.y);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(window, WM_LBUTTONUP, 0, point);
}

} // namespace e2e
