#pragma once
// Flat buttons as the dialogs use them: no edge until the mouse is over one, a sunken
// edge while pressed, an optional 16 x 16 picture before the caption.
#include <windows.h>
#include <commctrl.h>

namespace tavrin::win32 {

// Makes an owner-drawn button (BS_OWNERDRAW) of a dialog flat: it shows its edge while
// the mouse is over it. The parent routes WM_DRAWITEM to drawFlatButton.
void makeFlat(HWND button);
// Draws a flat button, with the focus rectangle when it has the keyboard focus;
// picture < 0 or a null list draws the caption alone.
void drawFlatButton(const DRAWITEMSTRUCT& item, HIMAGELIST pictures, int picture);

} // namespace tavrin::win32
