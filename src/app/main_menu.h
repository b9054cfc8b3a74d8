#pragma once
// The main window's menu bar, made from the command table, with a picture on each item
// and the shortcut's name after its text. It owns the menu and the pictures; the
// window it is set on must give it back (detach) before it is destroyed.
#include "win32/handles.h"

#include <vector>

namespace tavrin {

class MainMenu {
public:
  // pictures: the command pictures (may be null: items without pictures).
  explicit MainMenu(HIMAGELIST pictures);
  HMENU get() const { return menu_.get(); }
  void setEnabled(int id, bool enabled) const;

private:
  std::vector<win32::Bitmap> pictures_; // outlive the menu that shows them
  win32::Menu menu_;
};

// The shortcut keys of the command table, for the main window's event loop.
win32::AcceleratorTable makeAccelerators();

} // namespace tavrin
