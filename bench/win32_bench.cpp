// The editor's file and edit commands on a real EDIT control, each timed against the
// least the platform needs for the same result, in the same run:
//   open     OpenSourceFile of a 4 MB / 100,000-line file | ReadFile + WM_SETTEXT
//   find     Find on the last of 100,000 lines            | WM_GETTEXT (UTF-16) + find
//   start    "Start" appended to the 4 MB document        | the same on an empty document
//   save     Save of the 4 MB document                    | WriteFile of the bytes + ReplaceFile
// The control is styled like the main window's editor (same styles, font and size).
// Usage: bench_win32.exe [rounds]
#include "bench_common.h"
#include "bench_win32.h"
#include "document/editor_document.h"
#include "find/search.h"
#include "snippets/snippet_table.h"
#include "win32/edit_adapter.h"
#include "win32/file_system_win32.h"

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

using namespace tavrin;
using namespace tavrin::bench;

namespace {

class View : public DocumentView {
public:
  void setNameBar(const std::string& c) override { caption = c; }
  void setSaveEnabled(bool on) override { save = on; }
  void setDateText(const std::string& t) override { date = t; }
  std::string caption = "NoName", date;
  bool save = false;
};

win32::EditAdapter* gAdapter = nullptr;

LRESULT CALLBACK hostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE && gAdapter) gAdapter->controlChanged();
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void setRaw(HWND edit, const std::string& text) {
  if (!SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())))
    throw std::runtime_error("WM_SETTEXT refused the text");
  SendMessageA(edit, EM_SETSEL, 0, 0);
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  pump();
}

std::string readFile(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (f == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  LARGE_INTEGER size{};
  GetFileSizeEx(f, &size);
  std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  ReadFile(f, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
  CloseHandle(f);
  data.resize(got);
  return data;
}

// The baseline save: the bytes into a new file beside the target, then the replace.
void writeAndReplace(const std::string& target, const std::string& temp, const std::string& data,
                     bool flush) {
  HANDLE f = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  DWORD wrote = 0;
  if (f == INVALID_HANDLE_VALUE ||
      !WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &wrote, nullptr))
    throw std::runtime_error("cannot write " + temp);
  if (flush) FlushFileBuffers(f);
  CloseHandle(f);
  if (!ReplaceFileA(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                    nullptr))
    throw std::runtime_error("cannot replace " + target);
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 7;
  try {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = instance;
    wc.lpszClassName = "TavrinBenchHost";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
    HWND host =
        CreateWindowExA(0, "TavrinBenchHost", "Tavrin bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        216, 203, 864, 605, nullptr, nullptr, instance, nullptr);
    // Memo1's styles and font, and about the size it has in the main window.
    HWND edit = win32::EditAdapter::createControl(
        host, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL, 1,
        {0, 0, 848, 440});
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, "Courier New");
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(host, SW_SHOWNORMAL);
    UpdateWindow(host);
    pump();

    auto adapter = std::make_unique<win32::EditAdapter>(edit); // sets no limit, as the program
    gAdapter = adapter.get();
    View view;
    win32::Win32FileSystem files;
    EditorDocument document(*adapter, view, files);

    const std::string dir = tempFile("tavrin-bench");
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string big = sourceText("\r\n");
    const std::string source = dir + "\\big.z80";
    writeBenchFile(source, big);
    std::printf("# text: %zu bytes, 100000 lines, %d rounds\n", big.size(), rounds);

    { // open
      Pair pair;
      for (int r = 0; r < rounds; ++r) {
        setRaw(edit, "");
        auto start = Clock::now();
        document.openSourceFile(source);
        pair.measured.push_back(millisecondsSince(start));
        if (adapter->text().size() != big.size()) throw std::runtime_error("open lost text");
        setRaw(edit, "");
        start = Clock::now();
        const std::string bytes = readFile(source);
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
        pair.baseline.push_back(millisecondsSince(start));
        pump();
      }
      pair.report("open_4mb");
    }

    {                        // find: the word is on the last line, so every line is walked
      adapter->setText(big); // as the program puts a file's text in
      pump();
      const std::string needle = "lastroutine";
      Pair pair;
      for (int r = 0; r < rounds; ++r) {
        SendMessageA(edit, EM_SETSEL, 0, 0);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        pump();
        auto start = Clock::now();
        if (!runFind(*adapter, needle)) throw std::runtime_error("find missed");
        pair.measured.push_back(millisecondsSince(start));
        pump();
        start = Clock::now();
        // The control keeps UTF-16: reading it as such is the one copy without a conversion.
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        volatile std::size_t at = text.find(L"lastroutine");
        pair.baseline.push_back(millisecondsSince(start));
        if (at == std::string::npos) throw std::runtime_error("find missed");
      }
      pair.report("find_100k_lines");
    }

    { // "Start" appended, 4 MB against empty; then the same with the repaint included
      for (bool paint : {false, true}) {
        Pair pair;
        for (int r = 0; r < rounds; ++r) {
          // Each text goes in as the program puts a file's text in.
          adapter->setText(big);
          pump();
          auto start = Clock::now();
          appendSnippet(*adapter, SnippetId::Start);
          if (paint) UpdateWindow(host);
          pair.measured.push_back(millisecondsSince(start));
          pump();
          adapter->clear();
          pump();
          start = Clock::now();
          appendSnippet(*adapter, SnippetId::Start);
          if (paint) UpdateWindow(host);
          pair.baseline.push_back(millisecondsSince(start));
          pump();
        }
        pair.report(paint ? "start_4mb_painted" : "start_4mb");
      }
    }

    {                        // save
      adapter->setText(big); // as the program puts a file's text in
      pump();
      const std::string target = dir + "\\saved.z80", other = dir + "\\baseline.z80";
      const std::string temp = dir + "\\baseline.tmp";
      writeBenchFile(target, "old");
      writeBenchFile(other, "old");
      for (bool flush : {false, true}) {
        Pair pair;
        for (int r = 0; r < rounds; ++r) {
          auto start = Clock::now();
          document.save(target);
          pair.measured.push_back(millisecondsSince(start));
          start = Clock::now();
          writeAndReplace(other, temp, big, flush);
          pair.baseline.push_back(millisecondsSince(start));
        }
        if (readFile(target) != big) throw std::runtime_error("save wrote other bytes");
        pair.report(flush ? "save_4mb_vs_flushed" : "save_4mb");
      }
      DeleteFileA(target.c_str());
      DeleteFileA(other.c_str());
    }
    DeleteFileA(source.c_str());
    RemoveDirectoryA(dir.c_str());
    DestroyWindow(host);
    DeleteObject(font);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_win32: %s\n", e.what());
    return 1;
  }
  return 0;
}
