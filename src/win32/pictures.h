#pragma once
// The program's 16 x 16 pictures, drawn from the picture strip resources.
#include <windows.h>
#include <commctrl.h>

namespace tavrin::win32 {

// An image list of all pictures (greyed ones when grey is set); null when missing.
HIMAGELIST loadPictures(bool grey);
// One picture on the menu's background, for a menu item. The caller owns it.
HBITMAP menuPicture(HIMAGELIST pictures, int index);

} // namespace tavrin::win32
