#include "build/Unit3.h"

#include "document/file_date.h"
#include "resource.h"
#include "win32/application.h"
#include "win32/flat_button.h"
#include "win32/pictures.h"

#include <utility>

namespace tavrin {

namespace {

constexpr int kClientWidth = 187;
constexpr int kClientHeight = 108;
constexpr COLORREF kWarningColour = RGB(255, 0, 0);

HFONT makeFont(int weight) {
  return CreateFontA(-11, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

SIZE textSize(HFONT font, const char* text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

} // namespace

TForm3::TForm3(std::function<void(const std::string&)> setAsmBatDir) {
  logic_ = std::make_unique<ConfigDialog>(
      *this, registry_, browser_,
      [this](const std::string& path) { return fileExists(files_, path); }, prompt_,
      std::move(setAsmBatDir));
}

TForm3::~TForm3() {
  if (IsWindow(hwnd())) DestroyWindow(hwnd());
  for (HFONT f : {font_, boldFont_})
    if (f) DeleteObject(f);
  if (pictures_) ImageList_Destroy(pictures_);
}

void TForm3::create(HWND owner) {
  font_ = makeFont(FW_NORMAL);
  boldFont_ = makeFont(FW_BOLD);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  createWindow("TForm3", WS_EX_DLGMODALFRAME, "Configuration", style,
               (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, owner, nullptr);
}

void TForm3::createControls() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  auto child = [&](const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
                   int id, HFONT font, DWORD ex = 0) {
    HWND c = CreateWindowExA(ex, cls, text, WS_CHILD | style, x, y, w, h, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
  };
  const char* caption = "Locate asm.bat for compilation:";
  SIZE captionSize = textSize(font_, caption);
  child("STATIC", caption, WS_VISIBLE | SS_NOPREFIX, 8, 8, captionSize.cx, captionSize.cy,
        IDC_CONFIG_CAPTION, font_);
  Edit1 = child("EDIT", folder_.c_str(), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 8, 24, 153, 21,
                IDC_CONFIG_EDIT1, font_, WS_EX_STATICEDGE);
  win32::createFlatButton(hwnd(), IDC_CONFIG_SPEEDBUTTON1, "...", 160, 24, 23, 22, boldFont_);
  const char* warning = "!!! GO.BAT WAS NOT FOUND !!!";
  SIZE warningSize = textSize(font_, warning);
  Label1 = child("STATIC", warning, SS_NOPREFIX | (warningVisible_ ? WS_VISIBLE : 0), 15, 56,
                 warningSize.cx, warningSize.cy, IDC_CONFIG_LABEL1, font_);
  win32::createFlatButton(hwnd(), IDC_CONFIG_SPEEDBUTTON3, "Close", 8, 80, 81, 22, font_);
  win32::createFlatButton(hwnd(), IDC_CONFIG_SPEEDBUTTON2, " Save", 104, 80, 81, 22, font_);
}

void TForm3::showModal() {
  auto& app = win32::Application::instance();
  {
    // The controls are made when the dialog is first shown, from the field's text and
    // the warning's state as they were set; start-up has less to do before the main
    // window appears.
    if (!Edit1) createControls();
    win32::ModalScope modal(hwnd());
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(Edit1);
    app.runUntil([this] { return !IsWindowVisible(hwnd()); });
  }
  if (HWND main = app.mainWindow(); main && IsWindow(main)) SetActiveWindow(main);
}

std::string TForm3::folderText() const {
  if (!Edit1) return folder_;
  const int length = GetWindowTextLengthA(Edit1);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(Edit1, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void TForm3::setFolderText(const std::string& text) {
  folder_ = text;
  if (Edit1) SetWindowTextA(Edit1, text.c_str());
}

void TForm3::setWarningVisible(bool visible) {
  warningVisible_ = visible;
  if (Label1) ShowWindow(Label1, visible ? SW_SHOW : SW_HIDE);
}

void TForm3::closeDialog() {
  ShowWindow(hwnd(), SW_HIDE);
}

void TForm3::FormCreate() {
  logic_->FormCreate();
}
void TForm3::SpeedButton1Click() {
  logic_->SpeedButton1Click();
}
void TForm3::SpeedButton2Click() {
  logic_->SpeedButton2Click();
}
void TForm3::SpeedButton3Click() {
  logic_->SpeedButton3Click();
}

LRESULT TForm3::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_CREATE:
    self_ = hwnd();
    // A stored value of the wrong type is shown and the dialog is made all the same.
    win32::guarded([this] { FormCreate(); });
    return 0;
  case WM_COMMAND:
    switch (LOWORD(wp)) {
    case IDC_CONFIG_SPEEDBUTTON1:
      SpeedButton1Click();
      return 0;
    case IDC_CONFIG_SPEEDBUTTON2:
      SpeedButton2Click();
      return 0;
    case IDC_CONFIG_SPEEDBUTTON3:
    case IDCANCEL:
      SpeedButton3Click();
      return 0;
    }
    return 0;
  case WM_CTLCOLORSTATIC:
    if (reinterpret_cast<HWND>(lp) == Label1) {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, kWarningColour);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    break;
  case WM_DRAWITEM: {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
    int picture = -1;
    if (item->CtlID == IDC_CONFIG_SPEEDBUTTON3) picture = PIC_DIALOG_CLOSE;
    if (item->CtlID == IDC_CONFIG_SPEEDBUTTON2) picture = PIC_DIALOG_SAVE;
    // Loaded when the dialog is first drawn, not at start-up.
    if (!pictures_) pictures_ = win32::loadPictures(false);
    win32::drawFlatButton(*item, pictures_, picture);
    return TRUE;
  }
  case WM_CLOSE:
    SpeedButton3Click();
    return 0;
  }
  return defaultHandle(msg, wp, lp);
}

} // namespace tavrin
