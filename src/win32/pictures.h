#pragma once
// The program's 16 x 16 pictures, drawn from the picture strip resources.
#include "win32/handles.h"

namespace tavrin::win32 {

// An image list of all pictures (greyed ones when grey is set); null when missing.
HIMAGELIST loadPictures(bool grey);
// Pictures on the menu's background, for menu items, all drawn with one pair of device
// contexts.
class MenuPictures {
public:
  explicit MenuPictures(HIMAGELIST pictures);
  MenuPictures(const MenuPictures&) = delete;
  MenuPictures& operator=(const MenuPictures&) = delete;
  // The picture at index; empty when there are no pictures.
  Bitmap make(int index);

private:
  HIMAGELIST pictures_;
  WindowDc screen_;
  MemoryDc dc_;
};

} // namespace tavrin::win32
