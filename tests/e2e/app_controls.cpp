// Reading the app's main window: the name bar, the editor, the status bar, the Save
// command's state and where a toolbar button is.
#include "e2e/app.h"

#include "e2e/remote_messages.h"

#include "resource.h"

#include <commctrl.h>

#include <cstring>
#include <stdexcept>

namespace e2e {

std::string App::nameBar() const {
  return windowText(control(IDC_MAIN_PANEL2));
}

std::string App::editorText() const {
  return windowText(control(IDC_MAIN_MEMO1));
}

std::string App::statusText(int part) const {
  HWND bar = control(IDC_MAIN_STATUSBAR1);
  LRESULT length = sendBounded(bar, SB_GETTEXTLENGTHA, part, 0, "SB_GETTEXTLENGTH");
  RemoteBuffer buffer(process_.hProcess, LOWORD(length) + 256);
  sendBounded(bar, SB_GETTEXTA, part, buffer.lparam(), "SB_GETTEXT");
  return buffer.readString();
}

std::pair<DWORD, DWORD> App::selection() const {
  // The packed result holds 16-bit offsets: enough for the texts the tests use.
  LRESULT r = sendBounded(control(IDC_MAIN_MEMO1), EM_GETSEL, 0, 0, "EM_GETSEL");
  return {LOWORD(r), HIWORD(r)};
}

bool App::toolbarSaveEnabled() const {
  return sendBounded(control(IDC_MAIN_TOOLBAR1), TB_ISBUTTONENABLED, IDC_MAIN_SPEEDBUTTON1, 0,
                     "TB_ISBUTTONENABLED") != 0;
}

std::optional<bool> App::menuSaveEnabled() const {
  HMENU menu = GetMenu(main_);
  if (!menu) return std::nullopt;
  UINT state = GetMenuState(menu, IDM_MAIN_SAVE1, MF_BYCOMMAND);
  if (state == static_cast<UINT>(-1)) return std::nullopt;
  return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

RECT App::toolbarButtonRect(HWND toolbar, int command) const {
  RemoteBuffer buffer(process_.hProcess, sizeof(RECT));
  if (!sendBounded(toolbar, TB_GETRECT, command, buffer.lparam(), "TB_GETRECT"))
    throw std::runtime_error("the toolbar has no button " + std::to_string(command));
  const std::string bytes = buffer.read();
  RECT r{};
  if (bytes.size() < sizeof r) throw std::runtime_error("short read of a button's rectangle");
  std::memcpy(&r, bytes.data(), sizeof r);
  return r;
}

bool App::waitNameBar(const std::string& expected) const {
  return eventually([&] { return nameBar() == expected; });
}

bool App::waitEditorText(const std::string& expected) const {
  return eventually([&] { return editorText() == expected; });
}

} // namespace e2e
