#include "e2e/driver.h"

#include "resource.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace e2e {

namespace {

std::string tavrinExe() {
  const char* exe = std::getenv("TAVRIN_EXE");
  if (!exe || !*exe) throw std::runtime_error("TAVRIN_EXE is not set");
  std::string path = exe;
  // Under Wine a build may hand over the Unix path; drive Z: is the Unix root there.
  if (path.front() == '/') {
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
  return path;
}

// Memory inside the app's process, for messages whose pointer the platform does not
// carry across processes (status bar texts).
class RemoteBuffer {
public:
  RemoteBuffer(HANDLE process, std::size_t size) : process_(process), size_(size) {
    address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (!address_) throw std::runtime_error("VirtualAllocEx failed");
  }
  ~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  LPARAM lparam() const { return reinterpret_cast<LPARAM>(address_); }
  std::string read() const {
    std::string out(size_, '\0');
    SIZE_T got = 0;
    if (!ReadProcessMemory(process_, address_, out.data(), size_, &got))
      throw std::runtime_error("ReadProcessMemory failed");
    out.resize(got);
    return out;
  }

private:
  HANDLE process_;
  std::size_t size_;
  void* address_ = nullptr;
};

LRESULT sendBounded(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, const char* what) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kWaitMs, &result))
    throw Timeout(std::string("no answer from the app to ") + what);
  return static_cast<LRESULT>(result);
}

struct TopLevelSearch {
  DWORD pid;
  const char* cls;
  HWND owner; // only for boxes
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK findTopLevel(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<TopLevelSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != s->pid || className(h) != s->cls) return TRUE;
  if (s->owner && (!IsWindowVisible(h) || GetWindow(h, GW_OWNER) != s->owner)) return TRUE;
  if (s->caption && !s->caption->empty() && windowText(h) != *s->caption) return TRUE;
  s->found = h;
  return FALSE;
}

HWND topLevel(DWORD pid, const char* cls, HWND owner = nullptr,
              const std::string* caption = nullptr) {
  TopLevelSearch s{pid, cls, owner, caption, nullptr};
  EnumWindows(findTopLevel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

struct ChildSearch {
  int id;
  HWND found;
};
BOOL CALLBACK findChild(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  if (GetDlgCtrlID(h) != s->id) return TRUE;
  s->found = h;
  return FALSE;
}

} // namespace

std::string windowText(HWND hwnd) {
  // One WM_GETTEXT into a buffer larger than the text: asking for the length first
  // would race with the app.
  std::size_t size = 4096;
  for (;;) {
    std::string out(size, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, size, reinterpret_cast<LPARAM>(out.data()),
                             SMTO_ABORTIFHUNG, kWaitMs, &got)) {
      // A box that closes while the windows are walked has no text any more.
      if (!IsWindow(hwnd)) return "";
      throw Timeout("no answer to WM_GETTEXT");
    }
    if (got + 1 < size) {
      out.resize(got);
      return out;
    }
    size *= 4;
  }
}

std::string className(HWND hwnd) {
  std::string out(256, '\0');
  int n = GetClassNameA(hwnd, out.data(), static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return out;
}

HWND descendant(HWND root, int id) {
  ChildSearch s{id, nullptr};
  EnumChildWindows(root, findChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// --- files -------------------------------------------------------------------------

TempFolder::TempFolder() {
  std::string base(MAX_PATH + 1, '\0');
  DWORD n = GetTempPathA(static_cast<DWORD>(base.size()), base.data());
  if (n == 0 || n >= base.size()) throw std::runtime_error("GetTempPathA failed");
  base.resize(n);
  static int counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string candidate = base + "tavrin-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(++counter);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate + "\\";
      return;
    }
  }
  throw std::runtime_error("cannot create a temp folder under " + base);
}

namespace {
void removeTree(const std::string& folder) { // folder ends in a backslash
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeTree(folder + name + "\\");
      else
        DeleteFileA((folder + name).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}
} // namespace

TempFolder::~TempFolder() {
  removeTree(path_);
}

std::string TempFolder::file(const std::string& name, const std::string& bytes) const {
  std::string full = path_ + name;
  writeFile(full, bytes);
  return full;
}

std::string quoted(const std::string& path) {
  return "\"" + path + "\"";
}

std::string systemDescription(DWORD code) {
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : "";
  if (buffer) LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '.'))
    text.pop_back();
  return text;
}

std::vector<std::string> namesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string readFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read " + path);
  std::string out;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0)
    out.append(chunk, got);
  CloseHandle(h);
  return out;
}

bool fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void writeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD wrote = 0;
  BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(h);
  if (!ok || wrote != bytes.size()) throw std::runtime_error("short write to " + path);
}

void setLastWrite(const std::string& path, const SYSTEMTIME& local) {
  FILETIME localTime{}, utc{};
  if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utc))
    throw std::runtime_error("bad time");
  HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  BOOL ok = SetFileTime(h, nullptr, nullptr, &utc);
  CloseHandle(h);
  if (!ok) throw std::runtime_error("SetFileTime failed on " + path);
}

// --- boxes -------------------------------------------------------------------------

std::string Box::text() const {
  HWND label = GetDlgItem(hwnd_, 0xFFFF);
  if (!label) throw std::runtime_error("the box has no text label");
  return windowText(label);
}

void Box::press(int id) const {
  PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(hwnd_, id)));
}

void Box::setItemText(int id, const std::string& text) const {
  HWND item = GetDlgItem(hwnd_, id);
  if (!item) throw std::runtime_error("the dialog has no item " + std::to_string(id));
  sendBounded(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), "WM_SETTEXT");
}

void Box::waitClosed(const std::string& what) const {
  waitUntil([&] { return !IsWindow(hwnd_) || !IsWindowVisible(hwnd_); }, what + " to close");
}

// --- the app -----------------------------------------------------------------------

App::App(const std::string& arguments, const std::string& folder) {
  start(arguments, folder);
  waitMainWindow();
}

App::App(NoWait, const std::string& arguments, const std::string& folder) {
  start(arguments, folder);
}

void App::start(const std::string& arguments, const std::string& folder) {
  const std::string exe = tavrinExe();
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process_))
    throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(GetLastError()) +
                             ")");
  pid_ = process_.dwProcessId;
}

void App::waitMainWindow() {
  waitUntil(
      [&] {
        HWND h = topLevel(pid_, "TForm1");
        if (h && IsWindowVisible(h)) main_ = h;
        return main_ != nullptr || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
      },
      "the main window", 30000);
  if (!main_) throw std::runtime_error("the app ended before showing its main window");
  // Start-up opens the command line's file after showing the window; a message sent
  // now is handled only once the app waits in its event loop (or in an error box).
  WaitForInputIdle(process_.hProcess, kWaitMs);
  sendBounded(main_, WM_NULL, 0, 0, "the first message");
}

HWND App::waitAppWindow() const {
  HWND h = nullptr;
  waitUntil([&] { return (h = topLevel(pid_, "TApplication")) != nullptr; },
            "the TApplication window", 30000);
  return h;
}

HWND App::waitWindow(const std::string& cls, const std::string& caption, DWORD ms) const {
  HWND h = nullptr;
  waitUntil([&] { return (h = findTopLevel(pid_, cls, caption)) != nullptr; },
            "a window of class " + cls + (caption.empty() ? "" : " \"" + caption + "\""), ms);
  return h;
}

void App::commandTo(HWND window, int id) const {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(descendant(window, id)));
}

void App::chooseFolder(const std::string& folder) const {
  Box browser = waitBox(appWindow(), "Browse for Folder");
  RemoteBuffer path(process_.hProcess, folder.size() + 1);
  SIZE_T wrote = 0;
  if (!WriteProcessMemory(process_.hProcess, reinterpret_cast<void*>(path.lparam()), folder.c_str(),
                          folder.size() + 1, &wrote))
    throw std::runtime_error("WriteProcessMemory failed");
  // The browser fills and expands its tree after it shows, and may move the selection
  // back to its root while it does: select once the tree has items, and again a moment
  // later.
  HWND tree = GetDlgItem(browser.hwnd(), 0x3741);
  waitUntil([&] { return tree && sendBounded(tree, TVM_GETCOUNT, 0, 0, "TVM_GETCOUNT") > 0; },
            "the folder browser's tree");
  for (int i = 0; i < 2; ++i) {
    sendBounded(browser.hwnd(), BFFM_SETSELECTIONA, TRUE, path.lparam(), "BFFM_SETSELECTIONA");
    Sleep(300);
  }
  browser.press(IDOK);
  browser.waitClosed("the folder browser");
}

void App::setText(HWND control, const std::string& text) const {
  sendBounded(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), "WM_SETTEXT");
}

App::~App() {
  if (isRunning()) {
    close();
    // Unsaved changes: a test that did not answer the prompt leaves them unsaved.
    const ULONGLONG end = GetTickCount64() + 5000;
    while (isRunning() && GetTickCount64() < end) {
      if (auto box = findBox(main_, "Save")) box->press(IDNO);
      if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) break;
    }
    if (isRunning()) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kWaitMs);
    }
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND App::appWindow() const {
  HWND h = topLevel(pid_, "TApplication");
  if (!h) throw std::runtime_error("no TApplication window");
  return h;
}

HWND App::control(int id) const {
  HWND h = descendant(main_, id);
  if (!h) throw std::runtime_error("no control with ID " + std::to_string(id));
  return h;
}

std::string App::nameBar() const {
  return windowText(control(IDC_MAIN_PANEL2));
}

std::string App::editorText() const {
  return windowText(control(IDC_MAIN_MEMO1));
}

std::string App::statusText(int part) const {
  HWND bar = control(IDC_MAIN_STATUSBAR1);
  LRESULT length = sendBounded(bar, SB_GETTEXTLENGTHA, part, 0, "SB_GETTEXTLENGTH");
  RemoteBuffer buffer(process_.hProcess, LOWORD(length) + 256);
  sendBounded(bar, SB_GETTEXTA, part, buffer.lparam(), "SB_GETTEXT");
  std::string text = buffer.read();
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  return text;
}

std::pair<DWORD, DWORD> App::selection() const {
  // The packed result holds 16-bit offsets: enough for the texts the tests use.
  LRESULT r = sendBounded(control(IDC_MAIN_MEMO1), EM_GETSEL, 0, 0, "EM_GETSEL");
  return {LOWORD(r), HIWORD(r)};
}

void App::select(DWORD start, DWORD end) const {
  sendBounded(control(IDC_MAIN_MEMO1), EM_SETSEL, start, end, "EM_SETSEL");
}

bool App::toolbarSaveEnabled() const {
  return sendBounded(control(IDC_MAIN_TOOLBAR1), TB_ISBUTTONENABLED, IDC_MAIN_SPEEDBUTTON1, 0,
                     "TB_ISBUTTONENABLED") != 0;
}

std::optional<bool> App::menuSaveEnabled() const {
  HMENU menu = GetMenu(main_);
  if (!menu) return std::nullopt;
  UINT state = GetMenuState(menu, IDM_MAIN_SAVE1, MF_BYCOMMAND);
  if (state == static_cast<UINT>(-1)) return std::nullopt;
  return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool App::isRunning() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void App::type(const std::string& chars) const {
  HWND edit = control(IDC_MAIN_MEMO1);
  const DWORD start = selection().first;
  DWORD caret = start;
  for (char c : chars) {
    PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    caret += c == '\r' ? 2 : 1;
  }
  // The caret lands after the last character once every one of them was handled.
  waitUntil([&] { return selection() == std::make_pair(caret, caret); },
            "the editor to take \"" + chars + "\"");
}

void App::pressKey(UINT vk) const {
  HWND edit = control(IDC_MAIN_MEMO1);
  const DWORD caret = selection().first + 1;
  const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
  PostMessageA(edit, WM_KEYDOWN, vk, 1 | (scan << 16));
  PostMessageA(edit, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
  waitUntil([&] { return selection() == std::make_pair(caret, caret); },
            "the editor to take key " + std::to_string(vk));
}

void App::command(int id) const {
  PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

RECT App::toolbarButtonRect(HWND toolbar, int command) const {
  RemoteBuffer buffer(process_.hProcess, sizeof(RECT));
  if (!sendBounded(toolbar, TB_GETRECT, command, buffer.lparam(), "TB_GETRECT"))
    throw std::runtime_error("the toolbar has no button " + std::to_string(command));
  const std::string bytes = buffer.read();
  RECT r{};
  if (bytes.size() < sizeof r) throw std::runtime_error("short read of a button's rectangle");
  std::memcpy(&r, bytes.data(), sizeof r);
  return r;
}

void App::click(HWND window, POINT at) const {
  const LPARAM point = MAKELPARAM(at.x, at.y);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(window, WM_LBUTTONUP, 0, point);
}

std::string App::dialogFolder(const Box& dialog) const {
  RemoteBuffer buffer(process_.hProcess, MAX_PATH * 4);
  const LRESULT n = sendBounded(dialog.hwnd(), CDM_GETFOLDERPATH, MAX_PATH * 4, buffer.lparam(),
                                "CDM_GETFOLDERPATH");
  if (n <= 0) return "";
  std::string text = buffer.read();
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  return text;
}

void App::close() const {
  PostMessageA(main_, WM_CLOSE, 0, 0);
}

std::optional<Box> App::findBox(HWND owner, const std::string& caption) const {
  if (HWND h = topLevel(pid_, "#32770", owner, &caption)) return Box(h);
  return std::nullopt;
}

Box App::waitBox(HWND owner, const std::string& caption, DWORD ms) const {
  std::optional<Box> box;
  waitUntil([&] { return (box = findBox(owner, caption)).has_value(); },
            "a box \"" + caption + "\" owned by window of class " + className(owner), ms);
  return *box;
}

void App::chooseFile(const std::string& dialogCaption, const std::string& path) const {
  Box dialog = waitBox(main_, dialogCaption);
  dialog.setItemText(0x47c, path);
  dialog.press(IDOK);
}

bool App::waitExit(DWORD ms) const {
  return WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0;
}

bool App::waitNameBar(const std::string& expected) const {
  return eventually([&] { return nameBar() == expected; });
}

bool App::waitEditorText(const std::string& expected) const {
  return eventually([&] { return editorText() == expected; });
}

// --- other processes and the registry --------------------------------------------------

HWND findTopLevel(DWORD pid, const std::string& cls, const std::string& caption) {
  struct Search {
    DWORD pid;
    const std::string& cls;
    const std::string& caption;
    HWND found;
  } s{pid, cls, caption, nullptr};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner != s->pid || !IsWindowVisible(h) || className(h) != s->cls) return TRUE;
        if (!s->caption.empty() && windowText(h) != s->caption) return TRUE;
        s->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::vector<DWORD> processesNamed(const std::string& exeName, std::optional<DWORD> parent) {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0 &&
        (!parent || entry.th32ParentProcessID == *parent))
      ids.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return ids;
}

RegistryValue::RegistryValue(HKEY root, std::string key, std::string name)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS) {
    keyExisted_ = true;
    RegCloseKey(k);
  }
  saved_ = read();
}

RegistryValue::~RegistryValue() {
  if (saved_) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) ==
        ERROR_SUCCESS) {
      RegSetValueExA(k, name_.c_str(), 0, saved_->first,
                     reinterpret_cast<const BYTE*>(saved_->second.data()),
                     static_cast<DWORD>(saved_->second.size()));
      RegCloseKey(k);
    }
  } else {
    remove();
    if (!keyExisted_) RegDeleteKeyA(root_, key_.c_str()); // only when it is left empty
  }
}

void RegistryValue::setString(const std::string& text, DWORD type) const {
  HKEY k = nullptr;
  if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot create registry key " + key_);
  LONG r = RegSetValueExA(k, name_.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
  RegCloseKey(k);
  if (r != ERROR_SUCCESS) throw std::runtime_error("cannot set registry value " + name_);
}

void RegistryValue::setDword(DWORD value) const {
  HKEY k = nullptr;
  if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot create registry key " + key_);
  LONG r = RegSetValueExA(k, name_.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value);
  RegCloseKey(k);
  if (r != ERROR_SUCCESS) throw std::runtime_error("cannot set registry value " + name_);
}

void RegistryValue::remove() const {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return;
  RegDeleteValueA(k, name_.c_str());
  RegCloseKey(k);
}

std::optional<std::pair<DWORD, std::string>> RegistryValue::read() const {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0, size = 0;
  std::optional<std::pair<DWORD, std::string>> out;
  if (RegQueryValueExA(k, name_.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::string bytes(size, '\0');
    if (RegQueryValueExA(k, name_.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                         &size) == ERROR_SUCCESS) {
      bytes.resize(size);
      out.emplace(type, std::move(bytes));
    }
  }
  RegCloseKey(k);
  return out;
}

std::optional<std::string> RegistryValue::readString() const {
  auto value = read();
  if (!value || value->first != REG_SZ) return std::nullopt;
  std::string text = value->second;
  while (!text.empty() && text.back() == '\0')
    text.pop_back();
  return text;
}

} // namespace e2e
