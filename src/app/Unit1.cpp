#include "app/Unit1.h"

#include "app/Unit2.h"
#include "app/command_line.h"
#include "build/Unit3.h"
#include "build/compile.h"
#include "build/settings_store.h"
#include "document/file_date.h"
#include "find/search.h"
#include "resource.h"
#include "snippets/snippet_table.h"
#include "win32/application.h"
#include "win32/late_bound.h"
#include "win32/pictures.h"
#include "win32/registry_win32.h"
#include "win32/script_runner_win32.h"
#include "win32/shell_win32.h"

#include <iterator>
#include <string_view>
#include <vector>

namespace tavrin {

namespace {

// Which handler each control and menu item runs. The menu's "&Save" runs the Save
// command (SpeedButton1Click); "Save1Click" is Save as.
struct Route {
  int id;
  void (TForm1::*handler)();
};
constexpr Route kRoutes[] = {
    {IDM_MAIN_NEW1, &TForm1::SpeedButton2Click},
    {IDM_MAIN_OPEN1, &TForm1::btn_OpenClick},
    {IDM_MAIN_SAVE1, &TForm1::SpeedButton1Click},
    {IDM_MAIN_SAVEAS1, &TForm1::Save1Click},
    {IDM_MAIN_EXIT1, &TForm1::Exit1Click},
    {IDM_MAIN_CONFIGURATION1, &TForm1::Configuration1Click},
    {IDM_MAIN_SEARCH2, &TForm1::Search2Click},
    {IDM_MAIN_INDEX1, &TForm1::Index1Click},
    {IDM_MAIN_ABOUT1, &TForm1::About1Click},
    {IDC_MAIN_SPEEDBUTTON2, &TForm1::SpeedButton2Click},
    {IDC_MAIN_BTN_OPEN, &TForm1::btn_OpenClick},
    {IDC_MAIN_SPEEDBUTTON1, &TForm1::SpeedButton1Click},
    {IDC_MAIN_SPEEDBUTTON3, &TForm1::SpeedButton3Click},
    {IDC_MAIN_SPEEDBUTTON4, &TForm1::NormalStart1Click},
    {IDC_MAIN_SPEEDBUTTON6, &TForm1::ClearScreen1Click},
    {IDC_MAIN_SPEEDBUTTON12, &TForm1::SpeedButton12Click},
    {IDC_MAIN_SPEEDBUTTON5, &TForm1::ReturnClose1Click},
    {IDC_MAIN_SPEEDBUTTON9, &TForm1::BigText1Click},
    {IDC_MAIN_SPEEDBUTTON10, &TForm1::SmallText1Click},
    {IDC_MAIN_SPEEDBUTTON11, &TForm1::extdb1Click},
    {IDC_MAIN_SPEEDBUTTON7, &TForm1::SetInverse1Click},
    {IDC_MAIN_SPEEDBUTTON8, &TForm1::ResInverse1Click},
};

// The main menu, item by item; a null text is a separator.
struct MenuItem {
  const char* menu;
  int id;
  const char* text;
  int picture; // -1: none
  bool enabled;
};
constexpr MenuItem kMenu[] = {
    {"&File", IDM_MAIN_NEW1, "&New", PIC_NEW, true},
    {"&File", IDM_MAIN_OPEN1, "&Open...", PIC_OPEN, true},
    {"&File", 0, nullptr, -1, true},
    {"&File", IDM_MAIN_SAVE1, "&Save", PIC_SAVE, false},
    {"&File", IDM_MAIN_SAVEAS1, "&Save as...", PIC_SAVEAS, true},
    {"&File", 0, nullptr, -1, true},
    {"&File", IDM_MAIN_EXIT1, "&Exit", PIC_EXIT, true},
    {"&Options", IDM_MAIN_CONFIGURATION1, "&Configuration", PIC_CONFIGURATION, true},
    {"Search", IDM_MAIN_SEARCH2, "Find\tCtrl+F", PIC_FIND, true},
    {"&Help", IDM_MAIN_INDEX1, "&Index", PIC_INDEX, true},
    {"&Help", 0, nullptr, -1, true},
    {"&Help", IDM_MAIN_ABOUT1, "&About", PIC_ABOUT, true},
};

// The main toolbar: 0 ids are gaps, -1 the divider.
struct ToolButton {
  int id;
  int picture;
  const char* tip;
};
constexpr ToolButton kToolbar[] = {
    {IDC_MAIN_SPEEDBUTTON2, PIC_NEW, "New"},         {0, 0, nullptr},
    {IDC_MAIN_BTN_OPEN, PIC_OPEN, "Open"},           {0, 0, nullptr},
    {IDC_MAIN_SPEEDBUTTON1, PIC_SAVE, "Save"},       {-1, 0, nullptr},
    {IDC_MAIN_SPEEDBUTTON3, PIC_COMPILE, "Compile"},
};

// The snippet palette: pages and their buttons.
struct PaletteButton {
  int id;
  int picture;
  const char* caption;
  int width;
};
struct Page {
  const char* title;
  int id;
  PaletteButton buttons[4];
};
constexpr Page kPages[] = {
    {"Normal",
     IDC_MAIN_PAGE_NORMAL,
     {{IDC_MAIN_SPEEDBUTTON4, PIC_START, "Start", 41},
      {IDC_MAIN_SPEEDBUTTON6, PIC_CLEARSCREEN, "Clear Screen", 72},
      {IDC_MAIN_SPEEDBUTTON12, PIC_INDICATOROFF, "Indicator Off", 72},
      {IDC_MAIN_SPEEDBUTTON5, PIC_CLOSE, "Close", 40}}},
    {"Text",
     IDC_MAIN_PAGE_TEXT,
     {{IDC_MAIN_SPEEDBUTTON9, PIC_BIGTEXT, "Big Text", 47},
      {IDC_MAIN_SPEEDBUTTON10, PIC_SMALLTEXT, "Small Text", 56},
      {IDC_MAIN_SPEEDBUTTON11, PIC_TEXTSTRING, "Text String", 64}}},
    {"Effects",
     IDC_MAIN_PAGE_EFFECTS,
     {{IDC_MAIN_SPEEDBUTTON7, PIC_SETINVERSE, "Set Inverse", 65},
      {IDC_MAIN_SPEEDBUTTON8, PIC_RESINVERSE, "Res Iverese", 65}}},
};

constexpr int kNameBarHeight = 17;
constexpr int kStripHeight = 2;
constexpr int kTabHeight = 22;

HFONT makeFont(const char* face, int height, int weight) {
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

// The palette's container: shows the page of the chosen tab and hands the buttons'
// commands to the main window.
LRESULT CALLBACK pageControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  HWND main = reinterpret_cast<HWND>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
  case WM_COMMAND:
    return main ? SendMessageA(main, msg, wp, lp) : 0;
  case WM_NOTIFY: {
    auto* header = reinterpret_cast<NMHDR*>(lp);
    if (header->code == TCN_SELCHANGE) {
      int chosen = static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0));
      for (int i = 0; i < static_cast<int>(std::size(kPages)); ++i)
        ShowWindow(GetDlgItem(hwnd, kPages[i].id), i == chosen ? SW_SHOW : SW_HIDE);
      return 0;
    }
    return main ? SendMessageA(main, msg, wp, lp) : 0;
  }
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

// Compile over this window: its document, name bar, Save command, AsmBatDir and the
// Configuration dialog. Each started script reports its end back to Compile.
struct TForm1::BuildHost : CompileHost {
  explicit BuildHost(TForm1& form)
      : form(form), runner(&form.self_, [this](RunId id) { compile.runFinished(id); }),
        compile(
            *this, [&form](const std::string& path) { return fileExists(form.files_, path); },
            form.prompt_, runner, form.appPrompt_) {}

  int sourceChanged() const override { return form.document_->sourceChanged(); }
  std::string nameBar() const override { return form.nameBar(); }
  std::string sourceFileName() const override { return form.document_->sourceFileName(); }
  void runSave() override { form.fileCommands_->save(); }
  std::string asmBatDir() const override { return form.AsmBatDir; }
  void setAsmBatDir(const std::string& folder) override { form.AsmBatDir = folder; }
  void showConfiguration() override {
    if (form.Configuration_) form.Configuration_->showModal();
  }

  TForm1& form;
  win32::Win32ScriptRunner runner;
  Compile compile;
};

TForm1::TForm1() = default;

TForm1::~TForm1() {
  if (menu_ && !IsWindow(hwnd())) DestroyMenu(menu_);
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  for (HFONT f : {font_, boldFont_, memoFont_})
    if (f) DeleteObject(f);
  if (black_) DeleteObject(black_);
  if (pictures_) ImageList_Destroy(pictures_);
  if (greyPictures_) ImageList_Destroy(greyPictures_);
}

void TForm1::create(HWND owner) {
  font_ = makeFont("Tahoma", -11, FW_NORMAL);
  boldFont_ = makeFont("Tahoma", -11, FW_BOLD);
  memoFont_ = makeFont("Courier New", -13, FW_NORMAL);
  black_ = CreateSolidBrush(RGB(0, 0, 0));
  pictures_ = win32::loadPictures(false);
  greyPictures_ = win32::loadPictures(true);
  findMessage_ = RegisterWindowMessageA(FINDMSGSTRINGA);
  createWindow("TForm1", 0, "Tavrin", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 216, 203, 864, 605,
               owner, nullptr);
}

void TForm1::show(int showCommand) {
  // Laid out while still hidden, where moving the controls repaints nothing, and before
  // a file goes into the editor, so that its lines are wrapped once, at the final width.
  // FormShow runs as the window is about to appear, so a file named on the command line
  // comes up with the window's first paint, not after an empty one.
  layout();
  win32::guarded([this] { FormShow(); });
  ShowWindow(hwnd(), showCommand);
  UpdateWindow(hwnd());
}

void TForm1::createControls() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  auto child = [&](const char* cls, const char* text, DWORD style, int id, DWORD ex = 0) {
    HWND h = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return h;
  };
  CoolBar1 = child(REBARCLASSNAMEA, "",
                   WS_CLIPCHILDREN | WS_CLIPSIBLINGS | RBS_VARHEIGHT | RBS_BANDBORDERS |
                       CCS_NODIVIDER | CCS_TOP,
                   IDC_MAIN_COOLBAR1);
  createToolbar();
  createPalette();
  Panel2 = child("STATIC", "NoName", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, IDC_MAIN_PANEL2);
  SendMessageA(Panel2, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
  Panel3 = child("STATIC", "", 0, IDC_MAIN_PANEL3);
  Memo1 = win32::EditAdapter::createControl(
      hwnd(), WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
      IDC_MAIN_MEMO1);
  SendMessageA(Memo1, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_), FALSE);
  StatusBar1 = child(STATUSCLASSNAMEA, "", SBARS_SIZEGRIP, IDC_MAIN_STATUSBAR1);
  int parts[] = {110, -1};
  SendMessageA(StatusBar1, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  SendMessageA(StatusBar1, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Source last modified:"));
  SendMessageA(StatusBar1, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(""));
  createMenu();

  editor_ = std::make_unique<win32::EditAdapter>(Memo1);
  document_ = std::make_unique<EditorDocument>(*editor_, *this, files_);
  fileCommands_ = std::make_unique<FileCommands>(*document_, prompt_, OpenDialog1, SaveDialog1);
}

void TForm1::createToolbar() {
  ToolBar1 = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                 CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                             0, 0, 200, 28, CoolBar1,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MAIN_TOOLBAR1)),
                             GetModuleHandleA(nullptr), nullptr);
  SendMessageA(ToolBar1, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_));
  SendMessageA(ToolBar1, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(greyPictures_));
  SendMessageA(ToolBar1, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
  // All buttons in one message: the toolbar lays itself out once, not once per button.
  std::vector<TBBUTTON> buttons;
  for (const ToolButton& b : kToolbar) {
    TBBUTTON button{};
    if (b.id == -1) {
      button.iBitmap = 8; // a separator's width: drawn as a line in a flat toolbar
      button.fsStyle = BTNS_SEP;
    } else if (b.id == 0) {
      button.iBitmap = I_IMAGENONE; // a plain gap: a blank, inert button 8 wide
      button.fsStyle = BTNS_BUTTON;
      button.fsState = 0;
    } else {
      button.iBitmap = b.picture;
      button.idCommand = b.id;
      button.fsStyle = BTNS_BUTTON;
      button.fsState = b.id == IDC_MAIN_SPEEDBUTTON1 ? 0 : TBSTATE_ENABLED;
    }
    buttons.push_back(button);
  }
  SendMessageA(ToolBar1, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(ToolBar1, TB_SETBUTTONSIZE, 0, MAKELPARAM(23, 23));
  int index = 0;
  for (const ToolButton& b : kToolbar) {
    if (b.id == 0) {
      TBBUTTONINFOA info{};
      info.cbSize = sizeof info;
      info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
      info.cx = 8;
      SendMessageA(ToolBar1, TB_SETBUTTONINFOA, index, reinterpret_cast<LPARAM>(&info));
    }
    ++index;
  }
  REBARBANDINFOA band{};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
  band.fStyle = RBBS_CHILDEDGE | RBBS_NOGRIPPER;
  band.hwndChild = ToolBar1;
  band.cxMinChild = 120;
  band.cyMinChild = 28;
  band.cx = 800;
  SendMessageA(CoolBar1, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void TForm1::createPalette() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (!GetClassInfoExA(instance, "TPageControl", &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = pageControlProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TPageControl";
    RegisterClassExA(&wc);
  }
  const int height = 75;
  PageControl1 = CreateWindowExA(
      0, "TPageControl", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, height, CoolBar1,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MAIN_PAGECONTROL1)), instance, nullptr);
  SetWindowLongPtrA(PageControl1, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hwnd()));
  HWND tabs = CreateWindowExA(
      0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_FOCUSNEVER,
      2, 2, 400, kTabHeight, PageControl1, nullptr, instance, nullptr);
  SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  for (int i = 0; i < static_cast<int>(std::size(kPages)); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPages[i].title);
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));

    HWND page = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                WS_CHILD | (i == 0 ? WS_VISIBLE : 0) | TBSTYLE_FLAT |
                                    CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                2, kTabHeight + 6, 600, 40, PageControl1,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPages[i].id)),
                                instance, nullptr);
    pages_[i] = page;
    SendMessageA(page, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageA(page, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(page, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_));
    SendMessageA(page, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    std::vector<TBBUTTON> buttons;
    for (const PaletteButton& b : kPages[i].buttons) {
      if (!b.id) continue;
      TBBUTTON button{};
      button.iBitmap = b.picture;
      button.idCommand = b.id;
      button.fsStyle = BTNS_BUTTON;
      button.fsState = TBSTATE_ENABLED;
      button.iString = reinterpret_cast<INT_PTR>(b.caption);
      buttons.push_back(button);
    }
    SendMessageA(page, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(page, TB_SETBUTTONSIZE, 0, MAKELPARAM(40, 40));
    for (const PaletteButton& b : kPages[i].buttons) {
      if (!b.id) continue;
      TBBUTTONINFOA info{};
      info.cbSize = sizeof info;
      info.dwMask = TBIF_SIZE;
      info.cx = static_cast<WORD>(b.width);
      SendMessageA(page, TB_SETBUTTONINFOA, b.id, reinterpret_cast<LPARAM>(&info));
    }
  }
  REBARBANDINFOA band{};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
  band.fStyle = RBBS_BREAK | RBBS_CHILDEDGE | RBBS_NOGRIPPER;
  band.hwndChild = PageControl1;
  band.cxMinChild = 200;
  band.cyMinChild = height;
  band.cx = 800;
  SendMessageA(CoolBar1, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void TForm1::createMenu() {
  menu_ = CreateMenu();
  HMENU popup = nullptr;
  const char* title = nullptr;
  win32::MenuPictures pictures(pictures_);
  auto close = [&] {
    if (popup) AppendMenuA(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
  };
  for (const MenuItem& item : kMenu) {
    if (!title || std::string_view(title) != item.menu) {
      close();
      popup = CreatePopupMenu();
      title = item.menu;
    }
    if (!item.text) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    AppendMenuA(popup, MF_STRING | (item.enabled ? 0 : MF_GRAYED), item.id, item.text);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = pictures.make(item.picture);
    if (info.hbmpItem) SetMenuItemInfoA(popup, item.id, FALSE, &info);
  }
  close();
  SetMenu(hwnd(), menu_);
  ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'F', IDM_MAIN_SEARCH2}};
  accelerators_ = CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys)));
}

void TForm1::layout() {
  RECT client;
  GetClientRect(hwnd(), &client);
  laidOut_ = {client.right, client.bottom};
  const int width = client.right;
  SendMessageA(CoolBar1, WM_SIZE, 0, 0);
  RECT bar;
  GetWindowRect(CoolBar1, &bar);
  int y = bar.bottom - bar.top;
  SendMessageA(StatusBar1, WM_SIZE, 0, 0);
  RECT status;
  GetWindowRect(StatusBar1, &status);
  const int statusHeight = status.bottom - status.top;
  MoveWindow(Panel2, 0, y, width, kNameBarHeight, TRUE);
  y += kNameBarHeight;
  MoveWindow(Panel3, 0, y, width, kStripHeight, TRUE);
  y += kStripHeight;
  MoveWindow(Memo1, 0, y, width, std::max(0L, client.bottom - statusHeight - y), TRUE);
}

std::string TForm1::nameBar() const {
  int length = GetWindowTextLengthA(Panel2);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int got = GetWindowTextA(Panel2, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void TForm1::setNameBar(const std::string& caption) {
  SetWindowTextA(Panel2, caption.c_str());
}

void TForm1::setSaveEnabled(bool enabled) {
  saveEnabled_ = enabled;
  SendMessageA(ToolBar1, TB_ENABLEBUTTON, IDC_MAIN_SPEEDBUTTON1, MAKELPARAM(enabled, 0));
  EnableMenuItem(menu_, IDM_MAIN_SAVE1, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TForm1::setDateText(const std::string& text) {
  SendMessageA(StatusBar1, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void TForm1::readLocale() {
  document_->setLocale(locale_.read());
}

void TForm1::command(int id) {
  for (const Route& r : kRoutes)
    if (r.id == id) return (this->*r.handler)();
}

LRESULT TForm1::handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == findMessage_ && findMessage_) {
    auto* fr = reinterpret_cast<FINDREPLACEA*>(lp);
    if (fr->Flags & FR_DIALOGTERM) {
      // Keep the text that was in the box when it closed, for the next time.
      GetDlgItemTextA(findWindow_, 0x480, findText_.data(), static_cast<int>(findText_.size()));
      findWindow_ = nullptr;
      win32::Application::instance().setModelessDialog(nullptr);
    } else if (fr->Flags & FR_FINDNEXT) {
      FindDialog1Find();
    }
    return 0;
  }
  switch (msg) {
  case WM_CREATE:
    self_ = hwnd();
    createControls();
    FormCreate();
    return 0;
  case WM_SIZE:
    // The first show sends the size the window was laid out at already.
    if (LOWORD(lp) != laidOut_.cx || HIWORD(lp) != laidOut_.cy) layout();
    return 0;
  case WM_COMMAND:
    if (reinterpret_cast<HWND>(lp) == Memo1 && Memo1) {
      if (HIWORD(wp) == EN_CHANGE && editor_) editor_->controlChanged();
      return 0;
    }
    command(LOWORD(wp));
    return 0;
  case WM_NOTIFY: {
    auto* header = reinterpret_cast<NMHDR*>(lp);
    if (header->code == TTN_GETDISPINFOA) {
      auto* tip = reinterpret_cast<NMTTDISPINFOA*>(lp);
      for (const ToolButton& b : kToolbar)
        if (b.id > 0 && static_cast<UINT_PTR>(b.id) == header->idFrom)
          tip->lpszText = const_cast<char*>(b.tip);
      return 0;
    }
    if (header->code == RBN_HEIGHTCHANGE) layout();
    return 0;
  }
  case WM_CTLCOLORSTATIC:
    if (reinterpret_cast<HWND>(lp) == Panel3) return reinterpret_cast<LRESULT>(black_);
    break;
  case WM_ACTIVATE:
    // The editor takes the focus straight away, not after the window has had it itself.
    if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp) && Memo1) {
      SetFocus(Memo1);
      return 0;
    }
    break;
  case WM_SETFOCUS:
    if (Memo1) SetFocus(Memo1);
    return 0;
  case WM_SETTINGCHANGE:
    readLocale();
    break;
  case WM_HELP: {
    // F1 inside an open menu asks the help viewer for the help file's first topic.
    auto* info = reinterpret_cast<HELPINFO*>(lp);
    const std::string& file = win32::Application::instance().helpFile();
    if (info->iContextType == HELPINFO_MENUITEM && !file.empty())
      WinHelpA(hwnd(), file.c_str(), HELP_CONTEXT, 0);
    return TRUE;
  }
  case WM_QUERYENDSESSION:
    return fileCommands_->confirmClose() ? TRUE : FALSE;
  case WM_CLOSE:
    if (FormClose()) DestroyWindow(hwnd());
    return 0;
  case WM_DESTROY:
    if (findWindow_) DestroyWindow(findWindow_);
    PostQuitMessage(0);
    return 0;
  }
  return defaultHandle(msg, wp, lp);
}

void TForm1::FormCreate() {
  readLocale();
  appWindow_ = win32::Application::instance().appWindow();
  build_ = std::make_unique<BuildHost>(*this);
  // A registry failure is shown by the default error box and start-up goes on.
  win32::guarded([this] {
    win32::Win32Registry registry;
    if (auto folder = loadAsmBatDir(registry)) AsmBatDir = *folder;
  });
}

void TForm1::FormShow() {
  if (auto path = firstArgument(GetCommandLineA()); path && fileExists(files_, *path))
    document_->openSourceFile(*path);
}

bool TForm1::FormClose() {
  return fileCommands_->confirmClose();
}

void TForm1::SpeedButton2Click() {
  fileCommands_->newSource();
}
void TForm1::btn_OpenClick() {
  fileCommands_->open();
}
void TForm1::SpeedButton1Click() {
  fileCommands_->save();
}
void TForm1::Save1Click() {
  fileCommands_->saveAs();
}
void TForm1::Exit1Click() {
  PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}
void TForm1::SpeedButton3Click() {
  build_->compile.SpeedButton3Click();
}

void TForm1::Configuration1Click() {
  if (Configuration_) Configuration_->showModal();
}

void TForm1::Index1Click() {
  win32::Win32Shell shell(&self_);
  if (shell.open("helpfile.hlp", "", "help") <= 32)
    prompt_.show("Helpfile was not found.", "Error", Icon::Error, Buttons::Ok);
}

void TForm1::About1Click() {
  if (About_) About_->showModal();
}

void TForm1::setDialogs(TForm2* about, TForm3* configuration) {
  About_ = about;
  Configuration_ = configuration;
}

void TForm1::Search2Click() {
  if (findWindow_ && IsWindow(findWindow_)) {
    ShowWindow(findWindow_, SW_SHOW);
    SetForegroundWindow(findWindow_);
    return;
  }
  FindDialog1 = {};
  FindDialog1.lStructSize = sizeof FindDialog1;
  FindDialog1.hwndOwner = hwnd();
  FindDialog1.lpstrFindWhat = findText_.data();
  FindDialog1.wFindWhatLen = static_cast<WORD>(findText_.size());
  FindDialog1.Flags = FR_DOWN;
  static const auto findText = win32::lateBound<decltype(FindTextA)>("comdlg32.dll", "FindTextA");
  findWindow_ = findText(&FindDialog1);
  win32::Application::instance().setModelessDialog(findWindow_);
}

void TForm1::FindDialog1Find() {
  runFind(*editor_, findText_.c_str());
}

void TForm1::NormalStart1Click() {
  appendSnippet(*editor_, SnippetId::Start);
}
void TForm1::ClearScreen1Click() {
  appendSnippet(*editor_, SnippetId::ClearScreen);
}
void TForm1::SpeedButton12Click() {
  appendSnippet(*editor_, SnippetId::IndicatorOff);
}
void TForm1::ReturnClose1Click() {
  appendSnippet(*editor_, SnippetId::Close);
}
void TForm1::BigText1Click() {
  appendSnippet(*editor_, SnippetId::BigText);
}
void TForm1::SmallText1Click() {
  appendSnippet(*editor_, SnippetId::SmallText);
}
void TForm1::extdb1Click() {
  appendSnippet(*editor_, SnippetId::TextString);
}
void TForm1::SetInverse1Click() {
  appendSnippet(*editor_, SnippetId::SetInverse);
}
void TForm1::ResInverse1Click() {
  appendSnippet(*editor_, SnippetId::ResInverse);
}

} // namespace tavrin
