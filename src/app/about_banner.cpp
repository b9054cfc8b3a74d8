#include "app/about_banner.h"

#include "win32/handles.h"

namespace tavrin {

namespace {

constexpr COLORREF kVersionColour = RGB(255, 255, 255);
constexpr COLORREF kNoBannerColour = RGB(24, 32, 56);
// The version label, in pixels from the banner's bottom right.
constexpr int kVersionWidth = 144, kVersionHeight = 13, kVersionRight = 6, kVersionBottom = 4;

void paint(HWND banner) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(banner, &ps);
  RECT all;
  GetClientRect(banner, &all);
  if (auto picture = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(banner, GWLP_USERDATA))) {
    win32::MemoryDc source(CreateCompatibleDC(dc));
    win32::Selected selected(source.get(), picture);
    BitBlt(dc, 0, 0, all.right, all.bottom, source.get(), 0, 0, SRCCOPY);
  } else {
    win32::Brush dark(CreateSolidBrush(kNoBannerColour));
    FillRect(dc, &all, dark.get());
  }
  EndPaint(banner, &ps);
}

LRESULT CALLBACK bannerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT:
    paint(hwnd);
    return 0;
  case WM_CTLCOLORSTATIC: {
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, kVersionColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
  }
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

void registerAboutBanner() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, "TAboutBanner", &wc)) return;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = bannerProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "TAboutBanner";
  RegisterClassExA(&wc);
}

void setUpAboutBanner(HWND banner, HBITMAP picture, int versionId, const char* version,
                      HFONT font) {
  SetWindowLongPtrA(banner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
  RECT all{};
  GetClientRect(banner, &all);
  HWND label = CreateWindowExA(
      0, "STATIC", version, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_RIGHT,
      all.right - kVersionRight - kVersionWidth, all.bottom - kVersionBottom - kVersionHeight,
      kVersionWidth, kVersionHeight, banner,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(versionId)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

} // namespace tavrin
