#include "win32/flat_button.h"

#include <algorithm>
#include <string>

namespace tavrin::win32 {

namespace {

constexpr const char* kHotProperty = "TavrinFlatButtonHot";
constexpr int kPictureGap = 4; // between the picture and the caption

bool isHot(HWND button) {
  return GetPropA(button, kHotProperty) != nullptr;
}

void setHot(HWND button, bool hot) {
  if (hot == isHot(button)) return;
  if (hot)
    SetPropA(button, kHotProperty, reinterpret_cast<HANDLE>(1));
  else
    RemovePropA(button, kHotProperty);
  InvalidateRect(button, nullptr, FALSE);
}

// Tracks the mouse so the edge shows while it is over the button.
LRESULT CALLBACK flatButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  switch (msg) {
  case WM_MOUSEMOVE:
    if (!isHot(hwnd)) {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
      TrackMouseEvent(&track);
      setHot(hwnd, true);
    }
    break;
  case WM_MOUSELEAVE:
    setHot(hwnd, false);
    break;
  case WM_NCDESTROY:
    RemovePropA(hwnd, kHotProperty);
    RemoveWindowSubclass(hwnd, flatButtonProc, 0);
    break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace

void makeFlat(HWND button) {
  if (button) SetWindowSubclass(button, flatButtonProc, 0, 0);
}

void drawFlatButton(const DRAWITEMSTRUCT& item, HIMAGELIST pictures, int picture) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  if (pressed)
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (isHot(item.hwndItem) && !disabled)
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);

  const int length = GetWindowTextLengthA(item.hwndItem);
  std::string caption(static_cast<std::size_t>(length) + 1, '\0');
  caption.resize(static_cast<std::size_t>(
      std::max(0, GetWindowTextA(item.hwndItem, caption.data(), length + 1))));

  HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
  SIZE text{};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  const bool withPicture = pictures && picture >= 0;
  const int pictureWidth = withPicture ? 16 + (caption.empty() ? 0 : kPictureGap) : 0;
  const int shift = pressed ? 1 : 0;
  int x = r.left + (r.right - r.left - pictureWidth - text.cx) / 2 + shift;
  const int middle = (r.top + r.bottom) / 2 + shift;
  if (withPicture) {
    ImageList_Draw(pictures, picture, dc, x, middle - 8, ILD_TRANSPARENT);
    x += pictureWidth;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  TextOutA(dc, x, middle - text.cy / 2, caption.c_str(), static_cast<int>(caption.size()));
  SelectObject(dc, oldFont);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

} // namespace tavrin::win32
