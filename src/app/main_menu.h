#pragma once
// The main window's menu bar, made from the command table, with a picture on each item
// and the shortcut's name after its text. It owns the pictures, and the menu until it
// is set on a window, which destroys it with itself.
#include "win32/handles.h"

#include <vector>

namespace tavrin {

class MainMenu {
public:
  // pictures: the command pictures (may be null: items without pictures).
  explicit MainMenu(HIMAGELIST pictures);
  // Sets the menu on window, which owns it from then on.
  void attach(HWND window);
  void setEnabled(int id, bool enabled) const;

private:
  std::vector<win32::Bitmap> pictures_; // outlive the menu that shows them
  win32::Menu owned_;
  HMENU menu_;
};

// The shortcut keys of the command table, for the main window's event loop.
win32::AcceleratorTable makeAccelerators();

} // namespace tavrin
