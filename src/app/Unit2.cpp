#include "app/Unit2.h"

#include "app/about_banner.h"
#include "resource.h"
#include "version.h"
#include "win32/flat_button.h"

namespace tavrin {

namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kBetaColour = RGB(128, 0, 0);
constexpr POINT kPlace = {414, 235};
constexpr int kButtonHeight = 22;

win32::Font makeFont(int weight, bool italic, bool underline) {
  return win32::Font(CreateFontA(-11, 0, 0, 0, weight, italic, underline, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
}

} // namespace

TForm2::TForm2(const win32::ErrorBox& errors, win32::MessageLoop& loop)
    : DialogBase(errors), loop_(loop), shell_(windowHandle()) {}

void TForm2::create(HWND owner) {
  registerAboutBanner();
  createDialog(IDD_ABOUT, "TForm2", owner);
}

void TForm2::FormCreate() {
  boldFont_ = makeFont(FW_BOLD, false, false);
  linkFont_ = makeFont(FW_NORMAL, false, true);
  italicFont_ = makeFont(FW_NORMAL, true, false);
  banner_.reset(
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BANNER),
                                      IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  setUpAboutBanner(item(IDC_ABOUT_BANNER), banner_.get(), IDC_ABOUT_VERSION,
                   "Version " TAVRIN_VERSION, boldFont_.get());
  SetDlgItemTextA(hwnd(), IDC_ABOUT_LABEL3, kMakerEmail);
  SetDlgItemTextA(hwnd(), IDC_ABOUT_LABEL5, kMakerWebsite);
  SetDlgItemTextA(hwnd(), IDC_ABOUT_BETA, "Beta version " TAVRIN_VERSION);
  for (int id : {IDC_ABOUT_LABEL3, IDC_ABOUT_LABEL5})
    SendDlgItemMessageA(hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
  SendDlgItemMessageA(hwnd(), IDC_ABOUT_NOTE, WM_SETFONT,
                      reinterpret_cast<WPARAM>(italicFont_.get()), FALSE);
  SendDlgItemMessageA(hwnd(), IDC_ABOUT_BETA, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()),
                      FALSE);
  for (int id : {IDC_ABOUT_SPEEDBUTTON1, IDC_ABOUT_SPEEDBUTTON2}) {
    win32::makeFlat(item(id));
    setItemHeight(id, kButtonHeight);
  }
  SetWindowPos(hwnd(), nullptr, kPlace.x, kPlace.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm2::showModal() {
  loop_.runModal(hwnd());
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

bool TForm2::controlColour(HDC dc, HWND control, LRESULT* brush) const {
  if (control == Label3() || control == Label5())
    SetTextColor(dc, kLinkColour);
  else if (control == Beta())
    SetTextColor(dc, kBetaColour);
  else
    return false;
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  *brush = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  return true;
}

bool TForm2::command(int id, int code) {
  switch (id) {
  case IDC_ABOUT_SPEEDBUTTON1:
  case IDOK:     // Enter
  case IDCANCEL: // Esc and the close box
    SpeedButton1Click();
    return true;
  case IDC_ABOUT_SPEEDBUTTON2:
    SpeedButton2Click();
    return true;
  case IDC_ABOUT_LABEL5:
    if (code == STN_CLICKED) SpeedButton2Click();
    return true;
  case IDC_ABOUT_LABEL3:
    if (code == STN_CLICKED) Label3Click();
    return true;
  }
  return false;
}

bool TForm2::handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
  case WM_INITDIALOG:
    FormCreate();
    *result = TRUE;
    return true;
  case WM_COMMAND:
    return command(LOWORD(wp), HIWORD(wp));
  case WM_CTLCOLORSTATIC:
    return controlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), result);
  case WM_SETCURSOR: {
    const auto over = reinterpret_cast<HWND>(wp);
    if (over != Label3() && over != Label5()) return false;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    *result = TRUE;
    return true;
  }
  case WM_DRAWITEM:
    win32::drawFlatButton(*reinterpret_cast<DRAWITEMSTRUCT*>(lp), nullptr, -1);
    *result = TRUE;
    return true;
  }
  return false;
}

} // namespace tavrin
