#pragma once
// The main window's button bars, made from the command table: the main toolbar and the
// snippet palette's button rows, each a band of the window's rebar.
#include <windows.h>
#include <commctrl.h>

namespace tavrin {

struct PalettePage;

// Adds child to the rebar as a band of its own, on a new row when newRow is set.
void addBand(HWND rebar, HWND child, int minWidth, int height, bool newRow);
// The main toolbar, a child of the rebar; grey pictures show disabled buttons.
HWND createMainToolbar(HWND rebar, int id, HIMAGELIST pictures, HIMAGELIST grey);
// One page's row of palette buttons with their captions under the pictures.
HWND createPaletteRow(HWND parent, const PalettePage& page, int index, HIMAGELIST pictures,
                      HFONT font, int top, bool visible);
// The main toolbar's tooltip for the button with this command ID; null when none.
const char* toolbarTip(UINT_PTR id);

} // namespace tavrin
