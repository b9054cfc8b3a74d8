#include "app/main_menu.h"

#include "app/commands.h"
#include "win32/pictures.h"

#include <string>
#include <string_view>

namespace tavrin {

namespace {

// The bar owns a popup once it holds it.
void addPopup(HMENU bar, win32::Menu& popup, const char* title) {
  if (AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), title)) popup.release();
}

} // namespace

MainMenu::MainMenu(HIMAGELIST pictures) : owned_(CreateMenu()), menu_(owned_.get()) {
  win32::MenuPictures painter(pictures);
  win32::Menu popup;
  const char* title = nullptr;
  for (const Command& c : commands()) {
    if (!c.menu) continue;
    if (!title || std::string_view(title) != c.menu->menu) {
      if (popup) addPopup(menu_, popup, title);
      popup.reset(CreatePopupMenu());
      title = c.menu->menu;
    }
    if (c.menu->before == Before::Divider) AppendMenuA(popup.get(), MF_SEPARATOR, 0, nullptr);
    std::string text = c.menu->text;
    if (c.shortcut) text += std::string("\t") + c.shortcut->name;
    AppendMenuA(popup.get(), MF_STRING | (c.startsEnabled ? 0 : MF_GRAYED), c.id, text.c_str());
    win32::Bitmap picture = painter.make(c.picture);
    if (!picture) continue;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = picture.get();
    SetMenuItemInfoA(popup.get(), c.id, FALSE, &info);
    pictures_.push_back(std::move(picture));
  }
  if (popup) addPopup(menu_, popup, title);
}

void MainMenu::attach(HWND window) {
  if (owned_ && SetMenu(window, menu_)) owned_.release();
}

void MainMenu::setEnabled(int id, bool enabled) const {
  EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

win32::AcceleratorTable makeAccelerators() {
  std::vector<ACCEL> keys;
  for (const Command& c : commands())
    if (c.shortcut) keys.push_back({c.shortcut->flags, c.shortcut->key, static_cast<WORD>(c.id)});
  return win32::AcceleratorTable(
      CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size())));
}

} // namespace tavrin
