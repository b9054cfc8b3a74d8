#include "build/Unit3.h"

#include "document/file_date.h"
#include "resource.h"
#include "win32/flat_button.h"
#include "win32/pictures.h"

namespace tavrin {

namespace {

constexpr COLORREF kWarningColour = RGB(255, 0, 0);
constexpr SIZE kClientSize = {187, 108};
constexpr int kButtonHeight = 22;
constexpr int kButtons[] = {IDC_CONFIG_SPEEDBUTTON1, IDC_CONFIG_SPEEDBUTTON3,
                            IDC_CONFIG_SPEEDBUTTON2};

} // namespace

TForm3::TForm3(const win32::ErrorBox& errors, win32::MessageLoop& loop, const HWND* browserOwner,
               ScriptFolder& setting)
    : DialogBase(errors), loop_(loop), browser_(browserOwner), prompt_(windowHandle()),
      logic_(
          *this, registry_, browser_,
          [this](const std::string& path) { return fileExists(files_, path); }, prompt_, setting) {}

void TForm3::create(HWND owner) {
  createDialog(IDD_CONFIGURATION, "TForm3", owner);
}

void TForm3::showModal() {
  SetFocus(Edit1());
  loop_.runModal(hwnd());
}

std::string TForm3::folderText() const {
  const int length = GetWindowTextLengthA(Edit1());
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(Edit1(), text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void TForm3::setFolderText(const std::string& text) {
  SetWindowTextA(Edit1(), text.c_str());
}

void TForm3::setWarningVisible(bool visible) {
  ShowWindow(Label1(), visible ? SW_SHOW : SW_HIDE);
}

void TForm3::closeDialog() {
  ShowWindow(hwnd(), SW_HIDE);
}

void TForm3::FormCreate() {
  boldFont_.reset(CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
  SendDlgItemMessageA(hwnd(), IDC_CONFIG_SPEEDBUTTON1, WM_SETFONT,
                      reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
  for (int id : kButtons) {
    win32::makeFlat(item(id));
    setItemHeight(id, kButtonHeight);
  }
  setClientSize(kClientSize.cx, kClientSize.cy);
  setFolderText("c:\\");
  // A stored value of the wrong type is shown and the dialog is made all the same.
  errors().guard([this] { logic_.load(); });
}

void TForm3::SpeedButton1Click() {
  logic_.browse();
}
void TForm3::SpeedButton2Click() {
  logic_.save();
}
void TForm3::SpeedButton3Click() {
  logic_.close();
}

void TForm3::drawButton(const DRAWITEMSTRUCT& button) {
  int picture = -1;
  if (button.CtlID == IDC_CONFIG_SPEEDBUTTON3) picture = PIC_DIALOG_CLOSE;
  if (button.CtlID == IDC_CONFIG_SPEEDBUTTON2) picture = PIC_DIALOG_SAVE;
  // Loaded when the dialog is first drawn, not at start-up.
  if (!pictures_) pictures_.reset(win32::loadPictures(false));
  win32::drawFlatButton(button, pictures_.get(), picture);
}

bool TForm3::command(int id) {
  switch (id) {
  case IDC_CONFIG_SPEEDBUTTON1:
    SpeedButton1Click();
    return true;
  case IDC_CONFIG_SPEEDBUTTON2:
  case IDOK: // Enter
    SpeedButton2Click();
    return true;
  case IDC_CONFIG_SPEEDBUTTON3:
  case IDCANCEL: // Esc and the close box
    SpeedButton3Click();
    return true;
  }
  return false;
}

bool TForm3::handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
  case WM_INITDIALOG:
    FormCreate();
    *result = TRUE;
    return true;
  case WM_COMMAND:
    return command(LOWORD(wp));
  case WM_CTLCOLORSTATIC: {
    if (reinterpret_cast<HWND>(lp) != Label1()) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, kWarningColour);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  case WM_DRAWITEM:
    drawButton(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
    *result = TRUE;
    return true;
  }
  return false;
}

} // namespace tavrin
