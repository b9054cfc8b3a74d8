#include "app/Unit1.h"

#include "app/Unit2.h"
#include "app/command_line.h"
#include "app/commands.h"
#include "app/toolbars.h"
#include "build/Unit3.h"
#include "build/settings_store.h"
#include "document/file_date.h"
#include "find/search.h"
#include "resource.h"
#include "snippets/snippet_table.h"
#include "win32/pictures.h"
#include "win32/registry_win32.h"
#include "win32/shell_win32.h"

#include <algorithm>
#include <utility>

namespace tavrin {

namespace {

constexpr int kNameBarHeight = 17;
constexpr int kStripHeight = 2;
constexpr RECT kPlace = {216, 203, 864, 605}; // left, top, width, height

win32::Font makeFont(const char* face, int height, int weight) {
  return win32::Font(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, face));
}

} // namespace

TForm1::TForm1(MainWindowContext context)
    : context_(std::move(context)), prompt_(windowHandle()), appPrompt_(context_.appWindow),
      OpenDialog1(win32::Win32FileDialog::Kind::Open, windowHandle()),
      SaveDialog1(win32::Win32FileDialog::Kind::Save, windowHandle()),
      runner_(windowHandle(), context_.processes,
              [this](RunId id) {
                if (compile_) compile_->runFinished(id);
              }),
      FindDialog1(context_.loop) {}

void TForm1::create(HWND owner) {
  font_ = makeFont("Tahoma", -11, FW_NORMAL);
  boldFont_ = makeFont("Tahoma", -11, FW_BOLD);
  memoFont_ = makeFont("Courier New", -13, FW_NORMAL);
  black_.reset(CreateSolidBrush(RGB(0, 0, 0)));
  pictures_.reset(win32::loadPictures(false));
  greyPictures_.reset(win32::loadPictures(true));
  createWindow("TForm1", 0, "Tavrin", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kPlace.left,
               kPlace.top, kPlace.right, kPlace.bottom, owner, &context_.errors);
}

void TForm1::show(int showCommand) {
  // Laid out while still hidden, where moving the controls repaints nothing, and before
  // a file goes into the editor, so that its lines are wrapped once, at the final width.
  // FormShow runs as the window is about to appear, so a file named on the command line
  // comes up with the window's first paint, not after an empty one.
  layout();
  context_.errors.guard([this] { FormShow(); });
  ShowWindow(hwnd(), showCommand);
  UpdateWindow(hwnd());
}

void TForm1::createControls() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  auto child = [&](const char* cls, const char* text, DWORD style, int id, HFONT font) {
    HWND h = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
  };
  CoolBar1 = child(REBARCLASSNAMEA, "",
                   WS_CLIPCHILDREN | WS_CLIPSIBLINGS | RBS_VARHEIGHT | RBS_BANDBORDERS |
                       CCS_NODIVIDER | CCS_TOP,
                   IDC_MAIN_COOLBAR1, font_.get());
  ToolBar1 = createMainToolbar(CoolBar1, IDC_MAIN_TOOLBAR1, pictures_.get(), greyPictures_.get());
  addBand(CoolBar1, ToolBar1, 120, 28, false);
  PageControl1.create(CoolBar1, IDC_MAIN_PAGECONTROL1, hwnd(), pictures_.get(), font_.get(),
                      context_.errors);
  Panel2 = child("STATIC", kNoName, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, IDC_MAIN_PANEL2,
                 boldFont_.get());
  Panel3 = child("STATIC", "", 0, IDC_MAIN_PANEL3, font_.get());
  Memo1 = win32::EditAdapter::createControl(
      hwnd(), WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
      IDC_MAIN_MEMO1);
  SendMessageA(Memo1, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.get()), FALSE);
  StatusBar1 = child(STATUSCLASSNAMEA, "", SBARS_SIZEGRIP, IDC_MAIN_STATUSBAR1, font_.get());
  int parts[] = {110, -1};
  SendMessageA(StatusBar1, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  SendMessageA(StatusBar1, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Source last modified:"));
  SendMessageA(StatusBar1, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(""));
  menu_.emplace(pictures_.get());
  menu_->attach(hwnd());
  accelerators_ = makeAccelerators();
}

void TForm1::createDocument() {
  editor_ = std::make_unique<win32::EditAdapter>(Memo1);
  document_ = std::make_unique<EditorDocument>(*editor_, *this, files_);
  fileCommands_ = std::make_unique<FileCommands>(*document_, prompt_, OpenDialog1, SaveDialog1);
  compile_ = std::make_unique<Compile>(
      *document_, *fileCommands_, context_.setting,
      [this](const std::string& path) { return fileExists(files_, path); }, prompt_, runner_,
      appPrompt_, [this] { Configuration1Click(); });
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

void TForm1::setNameBar(const std::string& caption) {
  SetWindowTextA(Panel2, caption.c_str());
}

void TForm1::setSaveEnabled(bool enabled) {
  SendMessageA(ToolBar1, TB_ENABLEBUTTON, IDM_MAIN_SAVE1, MAKELPARAM(enabled, 0));
  if (menu_) menu_->setEnabled(IDM_MAIN_SAVE1, enabled);
}

void TForm1::setDateText(const std::string& text) {
  SendMessageA(StatusBar1, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void TForm1::readLocale() {
  document_->setLocale(locale_.read());
}

void TForm1::command(int id) {
  const Command* c = findCommand(id);
  if (!c) return;
  if (c->handler) (this->*c->handler)();
  if (c->fragment) appendSnippet(*editor_, *c->fragment);
}

LRESULT TForm1::notify(const NMHDR& header) {
  if (header.code == TTN_GETDISPINFOA) {
    auto& tip = reinterpret_cast<NMTTDISPINFOA&>(const_cast<NMHDR&>(header));
    if (const char* text = toolbarTip(header.idFrom)) tip.lpszText = const_cast<char*>(text);
    return 0;
  }
  if (header.code == RBN_HEIGHTCHANGE) layout();
  return 0;
}

LRESULT TForm1::handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == FindDialog1.message() && msg) {
    if (FindDialog1.handle(lp) == FindDialog::Event::FindNext) FindDialog1Find();
    return 0;
  }
  switch (msg) {
  case WM_CREATE:
    createControls();
    createDocument();
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
  case WM_NOTIFY:
    return notify(*reinterpret_cast<NMHDR*>(lp));
  case WM_CTLCOLORSTATIC:
    if (reinterpret_cast<HWND>(lp) == Panel3) return reinterpret_cast<LRESULT>(black_.get());
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
    if (info->iContextType == HELPINFO_MENUITEM && !context_.helpFile.empty())
      WinHelpA(hwnd(), context_.helpFile.c_str(), HELP_CONTEXT, 0);
    return TRUE;
  }
  case WM_QUERYENDSESSION:
    return fileCommands_->confirmClose() ? TRUE : FALSE;
  case WM_CLOSE:
    if (FormClose()) DestroyWindow(hwnd());
    return 0;
  case WM_DESTROY:
    // The Find dialog and the menu go with the window.
    PostQuitMessage(0);
    return 0;
  }
  return defaultHandle(msg, wp, lp);
}

void TForm1::FormCreate() {
  readLocale();
  // A registry failure is shown by the default error box and start-up goes on.
  context_.errors.guard([this] {
    win32::Win32Registry registry;
    if (auto folder = loadAsmBatDir(registry)) context_.setting.set(*folder);
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
  compile_->run();
}

void TForm1::Configuration1Click() {
  if (Configuration_) Configuration_->showModal();
}

void TForm1::Index1Click() {
  win32::Win32Shell shell(windowHandle());
  if (!shell.open("helpfile.hlp", "", "help"))
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
  FindDialog1.show(hwnd());
}

void TForm1::FindDialog1Find() {
  runFind(*editor_, FindDialog1.text());
}

} // namespace tavrin
