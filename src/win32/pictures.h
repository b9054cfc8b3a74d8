#pragma once
// The program's 16 x 16 pictures, drawn from the picture strip resources.
#include <windows.h>
#include <commctrl.h>

namespace tavrin::win32 {

// An image list of all pictures (greyed ones when grey is set); null when missing.
HIMAGELIST loadPictures(bool grey);
// Pictures on the menu's background, for menu items, all drawn with one pair of device
// contexts. The caller owns each bitmap.
class MenuPictures {
public:
  explicit MenuPictures(HIMAGELIST pictures);
  ~MenuPictures();
  MenuPictures(const MenuPictures&) = delete;
  MenuPictures& operator=(const MenuPictures&) = delete;
  HBITMAP make(int index);

private:
  HIMAGELIST pictures_;
  HDC screen_;
  HDC dc_;
};

} // namespace tavrin::win32
