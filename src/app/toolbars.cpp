#include "app/toolbars.h"

#include "app/commands.h"

#include <commctrl.h>

#include <vector>

namespace tavrin {

namespace {

constexpr int kPicture = 16;
constexpr int kGapWidth = 8;     // a blank, inert button between two
constexpr int kDividerWidth = 8; // a separator: drawn as a line in a flat toolbar
constexpr SIZE kToolButton = {23, 23};
constexpr SIZE kPaletteButton = {40, 40};

HWND createToolbar(HWND parent, int id, DWORD style, RECT bounds, HIMAGELIST pictures,
                   HIMAGELIST grey) {
  HWND bar = CreateWindowExA(
      0, TOOLBARCLASSNAMEA, "",
      WS_CHILD | TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN | style,
      bounds.left, bounds.top, bounds.right, bounds.bottom, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
  if (grey) SendMessageA(bar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(grey));
  SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(kPicture, kPicture));
  return bar;
}

// All buttons in one message: the toolbar lays itself out once, not once per button.
void addButtons(HWND bar, const std::vector<TBBUTTON>& buttons, SIZE size) {
  SendMessageA(bar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy));
}

void setButtonWidth(HWND bar, int index, int width) {
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
  info.cx = static_cast<WORD>(width);
  SendMessageA(bar, TB_SETBUTTONINFOA, index, reinterpret_cast<LPARAM>(&info));
}

TBBUTTON commandButton(const Command& c) {
  TBBUTTON button{};
  button.iBitmap = c.picture;
  button.idCommand = c.id;
  button.fsStyle = BTNS_BUTTON;
  button.fsState = c.startsEnabled ? TBSTATE_ENABLED : 0;
  return button;
}

} // namespace

void addBand(HWND rebar, HWND child, int minWidth, int height, bool newRow) {
  REBARBANDINFOA band{};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
  band.fStyle = RBBS_CHILDEDGE | RBBS_NOGRIPPER | (newRow ? RBBS_BREAK : 0);
  band.hwndChild = child;
  band.cxMinChild = minWidth;
  band.cyMinChild = height;
  band.cx = 800;
  SendMessageA(rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

HWND createMainToolbar(HWND rebar, int id, HIMAGELIST pictures, HIMAGELIST grey) {
  HWND bar =
      createToolbar(rebar, id, WS_VISIBLE | TBSTYLE_TOOLTIPS, {0, 0, 200, 28}, pictures, grey);
  std::vector<TBBUTTON> buttons;
  std::vector<int> gaps;
  for (const Command& c : commands()) {
    if (!c.toolbar) continue;
    if (c.toolbar->before == Before::Gap) {
      gaps.push_back(static_cast<int>(buttons.size()));
      TBBUTTON gap{};
      gap.iBitmap = I_IMAGENONE;
      gap.fsStyle = BTNS_BUTTON;
      buttons.push_back(gap);
    } else if (c.toolbar->before == Before::Divider) {
      TBBUTTON divider{};
      divider.iBitmap = kDividerWidth;
      divider.fsStyle = BTNS_SEP;
      buttons.push_back(divider);
    }
    buttons.push_back(commandButton(c));
  }
  addButtons(bar, buttons, kToolButton);
  for (int index : gaps)
    setButtonWidth(bar, index, kGapWidth);
  return bar;
}

HWND createPaletteRow(HWND parent, const PalettePage& page, int index, HIMAGELIST pictures,
                      HFONT font, int top, bool visible) {
  HWND row = createToolbar(parent, page.id, visible ? WS_VISIBLE : 0, {2, top, 600, 40}, pictures,
                           nullptr);
  SendMessageA(row, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  std::vector<TBBUTTON> buttons;
  std::vector<int> widths;
  for (const Command& c : commands()) {
    if (!c.palette || c.palette->page != index) continue;
    TBBUTTON button = commandButton(c);
    button.iString = reinterpret_cast<INT_PTR>(c.palette->caption);
    buttons.push_back(button);
    widths.push_back(c.palette->width);
  }
  addButtons(row, buttons, kPaletteButton);
  for (int i = 0; i < static_cast<int>(widths.size()); ++i)
    setButtonWidth(row, i, widths[static_cast<std::size_t>(i)]);
  return row;
}

const char* toolbarTip(UINT_PTR id) {
  const Command* c = findCommand(static_cast<int>(id));
  return c && c->toolbar ? c->toolbar->tip : nullptr;
}

} // namespace tavrin
