#include "app/Unit2.h"

#include "resource.h"
#include "win32/application.h"
#include "win32/flat_button.h"

namespace tavrin {

namespace {

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 231;
constexpr int kBannerHeight = 50;
constexpr int kLineHeight = 13;
constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 22;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kBetaColour = RGB(128, 0, 0);
constexpr COLORREF kVersionColour = RGB(255, 255, 255);
constexpr COLORREF kNoBannerColour = RGB(24, 32, 56); // when the picture can't be loaded

HFONT makeFont(int weight, bool italic, bool underline) {
  return CreateFontA(-11, 0, 0, 0, weight, italic, underline, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

// The width a one-line label needs for text, with a little room for the control's
// own rounding.
int textWidth(HFONT font, const char* text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r.right + 4;
}

// The banner: the picture across the top and, as its child, the version text drawn
// straight onto it.
LRESULT CALLBACK bannerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT all;
    GetClientRect(hwnd, &all);
    auto picture = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (picture) {
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, picture);
      BitBlt(dc, 0, 0, all.right, all.bottom, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
    } else {
      HBRUSH dark = CreateSolidBrush(kNoBannerColour);
      FillRect(dc, &all, dark);
      DeleteObject(dark);
    }
    EndPaint(hwnd, &ps);
    return 0;
  }
  case WM_CTLCOLORSTATIC: {
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, kVersionColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
  }
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void registerBanner() {
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

} // namespace

TForm2::~TForm2() {
  if (IsWindow(hwnd())) DestroyWindow(hwnd());
  for (HFONT f : {font_, boldFont_, linkFont_, italicFont_})
    if (f) DeleteObject(f);
  if (banner_) DeleteObject(banner_);
}

void TForm2::create(HWND owner) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
  createWindow("TForm2", WS_EX_DLGMODALFRAME, "About", style, 414, 235, outer.right - outer.left,
               outer.bottom - outer.top, owner, nullptr);
}

HWND TForm2::label(int id, const char* text, int x, int y, int w, HFONT font, DWORD style,
                   HWND parent) {
  HWND h = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | style, x, y, w,
                           kLineHeight, parent ? parent : hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return h;
}

void TForm2::createControls() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  font_ = makeFont(FW_NORMAL, false, false);
  boldFont_ = makeFont(FW_BOLD, false, false);
  linkFont_ = makeFont(FW_NORMAL, false, true);
  italicFont_ = makeFont(FW_NORMAL, true, false);
  banner_ = static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  registerBanner();
  Banner = CreateWindowExA(
      0, "TAboutBanner", "", WS_CHILD | WS_VISIBLE, 0, 0, kClientWidth, kBannerHeight, hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ABOUT_BANNER)), instance, nullptr);
  SetWindowLongPtrA(Banner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(banner_));
  Version = label(IDC_ABOUT_VERSION, "Version 0.1", 150, kBannerHeight - kLineHeight - 4, 144,
                  boldFont_, SS_RIGHT, Banner);

  CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, kBannerHeight + 2,
                  kClientWidth, 2, hwnd(),
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ABOUT_LINE)), instance, nullptr);

  const int left = 8;
  const int fieldLeft = 56;
  label(IDC_ABOUT_CREDIT, "Tavrin, a Z80 editor for the TI-83 by Molvane", left, 60, 284, font_);
  label(IDC_ABOUT_LABEL2, "E-Mail:", left, 78, fieldLeft - left, font_);
  Label3 = label(IDC_ABOUT_LABEL3, kMakerEmail, fieldLeft, 78, textWidth(linkFont_, kMakerEmail),
                 linkFont_, SS_NOTIFY | SS_LEFTNOWORDWRAP);
  label(IDC_ABOUT_LABEL4, "Website:", left, 94, fieldLeft - left, font_);
  const int siteWidth = textWidth(linkFont_, kMakerWebsite);
  Label5 = label(IDC_ABOUT_LABEL5, kMakerWebsite, fieldLeft, 94, siteWidth, linkFont_,
                 SS_NOTIFY | SS_LEFTNOWORDWRAP);
  label(IDC_ABOUT_DUTCH, " (only in Dutch)", fieldLeft + siteWidth, 94,
        kClientWidth - fieldLeft - siteWidth - left, font_);
  label(IDC_ABOUT_QUESTIONS, "Do you have questions or you need information?", left, 114, 284,
        font_);
  label(IDC_ABOUT_ENJOY, "I enjoy hearing from you!", left, 128, 284, font_);
  label(IDC_ABOUT_SIGNATURE, "The Tavrin team, Molvane", 0, 148, kClientWidth, font_, SS_CENTER);
  label(IDC_ABOUT_NOTE, "Note that the compiler is only for real asm NOT for ION ", left, 170, 284,
        italicFont_);

  // The bottom strip under its sunken line.
  const int stripTop = 193;
  CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, stripTop, kClientWidth,
                  2, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ABOUT_STRIP)),
                  instance, nullptr);
  const int buttonTop = stripTop + 8;
  win32::createFlatButton(hwnd(), IDC_ABOUT_SPEEDBUTTON1, "Close", left, buttonTop, kButtonWidth,
                          kButtonHeight, font_);
  Beta = label(IDC_ABOUT_BETA, "Beta version 0.1", left + kButtonWidth, buttonTop + 4,
               kClientWidth - 2 * (left + kButtonWidth), boldFont_, SS_CENTER);
  win32::createFlatButton(hwnd(), IDC_ABOUT_SPEEDBUTTON2, "Website",
                          kClientWidth - left - kButtonWidth, buttonTop, kButtonWidth,
                          kButtonHeight, font_);
}

void TForm2::showModal() {
  auto& app = win32::Application::instance();
  {
    // The dialog's contents are made when it is first shown: nothing in them changes
    // while it is hidden, and start-up has less to do before the main window appears.
    if (!Banner) createControls();
    win32::ModalScope modal(hwnd());
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    app.runUntil([this] { return !IsWindowVisible(hwnd()); });
  }
  if (HWND main = app.mainWindow(); main && IsWindow(main)) SetActiveWindow(main);
}

void TForm2::SpeedButton1Click() {
  ShowWindow(hwnd(), SW_HIDE);
}

// The shell's answers are not looked at: a missing browser or mail program shows
// nothing here.
void TForm2::SpeedButton2Click() {
  shell_.open(kMakerWebsite, "", "");
}

void TForm2::Label3Click() {
  shell_.open(std::string("mailto:") + kMakerEmail, "", "");
}

LRESULT TForm2::controlColour(HDC dc, HWND control) {
  if (control == Label3 || control == Label5)
    SetTextColor(dc, kLinkColour);
  else if (control == Beta)
    SetTextColor(dc, kBetaColour);
  else
    return defaultHandle(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(control));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TForm2::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_CREATE:
    self_ = hwnd();
    return 0;
  case WM_COMMAND:
    switch (LOWORD(wp)) {
    case IDC_ABOUT_SPEEDBUTTON1:
    case IDCANCEL:
      SpeedButton1Click();
      return 0;
    case IDC_ABOUT_SPEEDBUTTON2:
      SpeedButton2Click();
      return 0;
    case IDC_ABOUT_LABEL5:
      if (HIWORD(wp) == STN_CLICKED) SpeedButton2Click();
      return 0;
    case IDC_ABOUT_LABEL3:
      if (HIWORD(wp) == STN_CLICKED) Label3Click();
      return 0;
    }
    return 0;
  case WM_CTLCOLORSTATIC:
    return controlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
  case WM_SETCURSOR:
    if (reinterpret_cast<HWND>(wp) == Label3 || reinterpret_cast<HWND>(wp) == Label5) {
      SetCursor(LoadCursor(nullptr, IDC_HAND));
      return TRUE;
    }
    break;
  case WM_DRAWITEM:
    win32::drawFlatButton(*reinterpret_cast<DRAWITEMSTRUCT*>(lp), nullptr, -1);
    return TRUE;
  case WM_CLOSE:
    SpeedButton1Click();
    return 0;
  }
  return defaultHandle(msg, wp, lp);
}

} // namespace tavrin
