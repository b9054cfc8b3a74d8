#pragma once
// Flat buttons as the dialogs use them: no edge until the mouse is over one, a sunken
// edge while pressed, an optional 16 x 16 picture before the caption.
#include <windows.h>
#include <commctrl.h>

namespace tavrin::win32 {

// Creates an owner-drawn flat button; the parent routes WM_DRAWITEM to drawFlatButton.
HWND createFlatButton(HWND parent, int id, const char* caption, int x, int y, int w, int h,
                      HFONT font);
// Draws a flat button; picture < 0 or a null list draws the caption alone.
void drawFlatButton(const DRAWITEMSTRUCT& item, HIMAGELIST pictures, int picture);

} // namespace tavrin::win32
