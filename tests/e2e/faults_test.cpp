// What goes wrong around saving and compiling, driven through the app's windows: each
// fault ends in a box with a clear text, and nothing is lost: the old file stays whole
// on disk, the document keeps its text, name and changed mark, and the go.bat setting
// stays as it was.
#include "e2e/driver.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace {

using e2e::App;
using e2e::Box;
using e2e::quoted;
using e2e::systemDescription;
using e2e::TempFolder;

const char kErrorCaption[] = "Tavrin by Molvane";

std::string cannotCreate(const std::string& path, DWORD code) {
  return "Cannot create file \"" + path + "\". " + systemDescription(code) + ".";
}

bool exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Removes a folder the test made inside a TempFolder, with its files.
void removeFolder(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeFolder(full);
      else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

// The error box the app shows for a failed command: checked, then closed.
void expectErrorBox(const App& app, const std::string& expected) {
  Box box = app.waitBox(app.appWindow(), kErrorCaption);
  EXPECT_EQ(box.text(), expected);
  box.press(IDOK);
  box.waitClosed("the error box");
}

// A document with unsaved changes, as the app shows it before and after a failed save.
struct DocumentState {
  std::string nameBar, text;
  bool saveEnabled;
  bool operator==(const DocumentState&) const = default;
};

void PrintTo(const DocumentState& s, std::ostream* out) {
  *out << "name bar \"" << s.nameBar << "\", " << s.text.size() << " characters, Save "
       << (s.saveEnabled ? "enabled" : "disabled");
}

DocumentState documentState(const App& app) {
  return {app.nameBar(), app.editorText(), app.toolbarSaveEnabled()};
}

// --- saving where the file can't be written -------------------------------------------

struct SaveFault {
  const char* name;
  // Makes saving onto `path` fail after the app opened it; returns what undoes it.
  std::function<std::function<void()>(const std::string& path)> apply;
  std::function<std::string(const std::string& path)> message;
  bool oldFileStays; // false: the fault took the file and its folder away
};

void PrintTo(const SaveFault& f, std::ostream* out) {
  *out << f.name;
}

const SaveFault kSaveFaults[] = {
    {"ReadOnlyFile",
     [](const std::string& path) -> std::function<void()> {
       SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
       return [path] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); };
     },
     [](const std::string& path) { return cannotCreate(path, ERROR_ACCESS_DENIED); }, true},
    {"FolderRemoved",
     [](const std::string& path) -> std::function<void()> {
       removeFolder(path.substr(0, path.find_last_of('\\')));
       return [] {};
     },
     [](const std::string& path) { return cannotCreate(path, ERROR_PATH_NOT_FOUND); }, false},
    {"FileHeldWithoutSharing",
     [](const std::string& path) -> std::function<void()> {
       HANDLE hold = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
       if (hold == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + path);
       return [hold] { CloseHandle(hold); };
     },
     [](const std::string& path) { return cannotCreate(path, ERROR_SHARING_VIOLATION); }, true},
};

class SaveFails : public testing::TestWithParam<SaveFault> {};

TEST_P(SaveFails, ShowsWhyAndKeepsTheOldFileAndTheDocument) {
  const SaveFault& fault = GetParam();
  TempFolder folder;
  const std::string sub = folder.path() + "sub";
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  const std::string path = sub + "\\prog.z80";
  e2e::writeFile(path, "\tld a,1\r\n");

  App app(quoted(path));
  app.select(9, 9);
  app.type("\tret");
  const DocumentState before = documentState(app);
  ASSERT_EQ(before, (DocumentState{path + " *", "\tld a,1\r\n\tret", true}));

  std::function<void()> undo = fault.apply(path);
  app.command(IDC_MAIN_SPEEDBUTTON1);
  expectErrorBox(app, fault.message(path));
  EXPECT_EQ(documentState(app), before);
  undo();

  if (fault.oldFileStays) {
    EXPECT_EQ(e2e::readFile(path), "\tld a,1\r\n");
    EXPECT_EQ(e2e::namesIn(sub + "\\"), std::vector<std::string>{"prog.z80"});
  } else {
    EXPECT_FALSE(exists(sub)) << "a failed save made the folder again";
  }
  removeFolder(sub);
}

INSTANTIATE_TEST_SUITE_P(Faults, SaveFails, testing::ValuesIn(kSaveFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// --- a full disk ----------------------------------------------------------------------

// A small disk mounted for this test (tests/e2e/faults-setup.sh): TAVRIN_FULL_DISK, or
// the folder "full-disk" in the current folder.
std::optional<std::string> smallDisk(std::string* why) {
  const char* set = std::getenv("TAVRIN_FULL_DISK");
  std::string folder = set && *set ? set : "full-disk";
  std::string full(MAX_PATH + 1, '\0');
  DWORD n = GetFullPathNameA(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  full.resize(n < full.size() ? n : 0);
  ULARGE_INTEGER freeBytes{}, total{};
  if (full.empty() || !GetDiskFreeSpaceExA(full.c_str(), &freeBytes, &total, nullptr)) {
    *why = "no folder " + folder + " (tests/e2e/faults-setup.sh mounts a small disk there)";
    return std::nullopt;
  }
  if (total.QuadPart > 1024 * 1024) {
    *why = full + " is not a small disk of its own (" + std::to_string(total.QuadPart) + " bytes)";
    return std::nullopt;
  }
  return full;
}

TEST(FullDisk, SaveShowsAWriteErrorAndKeepsTheOldFileWhole) {
  std::string why;
  const std::optional<std::string> disk = smallDisk(&why);
  if (!disk) GTEST_SKIP() << why;
  const std::string sub = *disk + "\\faults-" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  const std::string path = sub + "\\old.z80";
  e2e::writeFile(path, "\t.org 9327h\r\n\tret\r\n");

  App app(quoted(path));
  // Four times what the disk holds, put in as the editor's text and then typed into.
  std::string big;
  while (big.size() < 256 * 1024)
    big += "\tld hl,0\t;\tNote that 0 is the row\r\n";
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutA(app.control(IDC_MAIN_MEMO1), WM_SETTEXT, 0,
                                  reinterpret_cast<LPARAM>(big.c_str()), SMTO_ABORTIFHUNG,
                                  e2e::kWaitMs, &ignored));
  const DWORD end = static_cast<DWORD>(big.size());
  app.select(end, end);
  app.type(";");
  const DocumentState before = documentState(app);
  ASSERT_EQ(before, (DocumentState{path + " *", big + ";", true}));

  app.command(IDC_MAIN_SPEEDBUTTON1);
  expectErrorBox(app, "Stream write error.");
  EXPECT_EQ(documentState(app), before);
  EXPECT_EQ(e2e::readFile(path), "\t.org 9327h\r\n\tret\r\n");
  // The cut-off copy is gone, so the disk has its room back.
  EXPECT_EQ(e2e::namesIn(sub + "\\"), std::vector<std::string>{"old.z80"});
  removeFolder(sub);
}

// --- the longest classic path ---------------------------------------------------------

TEST(LongPath, OpensAndSavesAFileWhosePathHas259Characters) {
  TempFolder folder;
  // The folder as long as a folder may be (room for an 8.3 name after it), the name
  // filling the rest.
  const std::string sub = folder.path() + std::string(247 - folder.path().size(), 'd');
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr)) << GetLastError();
  const std::string path = sub + "\\" + std::string(259 - sub.size() - 5, 'n') + ".z80";
  ASSERT_EQ(path.size(), 259u);
  e2e::writeFile(path, "one\ntwo");

  {
    App app(quoted(path));
    EXPECT_EQ(app.nameBar(), path);
    EXPECT_EQ(app.editorText(), "one\r\ntwo");
    EXPECT_NE(app.statusText(1), "");
    app.select(8, 8);
    app.type("\r");
    app.command(IDC_MAIN_SPEEDBUTTON1);
    EXPECT_TRUE(app.waitNameBar(path));
    EXPECT_EQ(app.nameBar(), path);
    EXPECT_FALSE(app.findBox(app.appWindow()).has_value());
  }
  EXPECT_EQ(e2e::readFile(path), "one\r\ntwo\r\n");
  EXPECT_EQ(e2e::namesIn(sub + "\\", "*.tmp"), std::vector<std::string>{});
  removeFolder(sub);
}

// --- go.bat ---------------------------------------------------------------------------

// The go.bat folder setting, set aside for a test so that Compile looks for
// compile\go.bat in the folder the app starts in; put back afterwards.
class SettingAside {
public:
  SettingAside() {
    saved_ = read();
    if (saved_) {
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kValue);
        RegCloseKey(key);
      }
    }
  }
  ~SettingAside() {
    if (!saved_) return;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
      RegSetValueExA(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_->c_str()),
                     static_cast<DWORD>(saved_->size() + 1));
      RegCloseKey(key);
    }
  }
  SettingAside(const SettingAside&) = delete;
  SettingAside& operator=(const SettingAside&) = delete;

  static std::optional<std::string> read() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<std::string> value;
    if (RegQueryValueExA(key, kValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
      std::string text(size, '\0');
      if (RegQueryValueExA(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                           &size) == ERROR_SUCCESS) {
        text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
        value = text;
      }
    }
    RegCloseKey(key);
    return value;
  }

private:
  static constexpr const char* kKey = "Software\\Molvane\\Z80";
  static constexpr const char* kValue = "asmbatdir";
  std::optional<std::string> saved_;
};

constexpr DWORD kScriptWaitMs = 30000;

struct ScriptFault {
  const char* name;
  const char* script; // go.bat; %1 is the source path without .z80
  bool staleOutput;   // an old .83p from an earlier build lies beside the source
};

void PrintTo(const ScriptFault& f, std::ostream* out) {
  *out << f.name;
}

const ScriptFault kScriptFaults[] = {
    {"ExitsWithAnError", "@echo off\r\necho building %1 >\"%~dp0ran.txt\"\r\nexit /b 1\r\n", false},
    {"NeverWritesTheProgram",
     "@echo off\r\necho building %1 >\"%~dp0ran.txt\"\r\nrem writes no %1.83p\r\n", false},
    {"LeavesAnOldProgram", "@echo off\r\necho building %1 >\"%~dp0ran.txt\"\r\n", true},
};

class CompileFails : public testing::TestWithParam<ScriptFault> {};

TEST_P(CompileFails, SaysTheBuildFailedAndKeepsTheSourceAndTheSetting) {
  const ScriptFault& fault = GetParam();
  SettingAside aside;
  TempFolder folder;
  const std::string scripts = folder.path() + "compile";
  ASSERT_TRUE(CreateDirectoryA(scripts.c_str(), nullptr));
  e2e::writeFile(scripts + "\\go.bat", fault.script);
  const std::string source = folder.file("prog.z80", "\t.org 9327h\r\n\tret\r\n");
  const std::string program = folder.path() + "prog.83p";
  if (fault.staleOutput) {
    e2e::writeFile(program, "old program");
    e2e::setLastWrite(program, SYSTEMTIME{2001, 5, 0, 17, 12, 30, 0, 0});
  }

  {
    App app(quoted(source), folder.path());
    const DocumentState before = documentState(app);
    app.command(IDC_MAIN_SPEEDBUTTON3);
    Box box = app.waitBox(app.appWindow(), "Error", kScriptWaitMs);
    EXPECT_EQ(box.text(), "An error acquired while compiling the source file.");
    box.press(IDOK);
    box.waitClosed("the error box");
    EXPECT_EQ(documentState(app), before);
    // The script did run, on the source path without its extension.
    EXPECT_EQ(e2e::readFile(scripts + "\\ran.txt"),
              "building " + source.substr(0, source.size() - 4) + " \r\n");
    EXPECT_EQ(SettingAside::read(), std::nullopt);
  }
  EXPECT_EQ(e2e::readFile(source), "\t.org 9327h\r\n\tret\r\n");
  EXPECT_EQ(exists(program), fault.staleOutput);
  if (fault.staleOutput) {
    EXPECT_EQ(e2e::readFile(program), "old program");
  }
  removeFolder(scripts);
}

INSTANTIATE_TEST_SUITE_P(Faults, CompileFails, testing::ValuesIn(kScriptFaults),
                         [](const auto& info) { return std::string(info.param.name); });

struct WindowSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK findConfiguration(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<WindowSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != s->pid || !IsWindowVisible(h) || e2e::className(h) != "TForm3") return TRUE;
  s->found = h;
  return FALSE;
}

HWND visibleConfiguration(const App& app) {
  WindowSearch s{app.pid(), nullptr};
  EnumWindows(findConfiguration, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

TEST(CompileWithoutScript, ClosingTheConfigurationStopsQuietly) {
  SettingAside aside;
  TempFolder folder; // no compile\go.bat in the folder the app starts in
  const std::string source = folder.file("prog.z80", "\tret\r\n");
  App app(quoted(source), folder.path());
  const DocumentState before = documentState(app);

  app.command(IDC_MAIN_SPEEDBUTTON3);
  HWND dialog = nullptr;
  e2e::waitUntil([&] { return (dialog = visibleConfiguration(app)) != nullptr; },
                 "the Configuration dialog");
  EXPECT_EQ(e2e::windowText(dialog), "Configuration");
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_CONFIG_LABEL1)));
  EXPECT_EQ(e2e::windowText(GetDlgItem(dialog, IDC_CONFIG_LABEL1)), "!!! GO.BAT WAS NOT FOUND !!!");
  EXPECT_FALSE(IsWindowEnabled(app.main()));

  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CONFIG_SPEEDBUTTON3, BN_CLICKED), 0);
  e2e::waitUntil([&] { return !IsWindowVisible(dialog); }, "the Configuration dialog to close");
  e2e::waitUntil([&] { return IsWindowEnabled(app.main()) != FALSE; },
                 "the main window to take input again");
  // Nothing follows: no box, no script, no second dialog.
  Sleep(1000);
  EXPECT_FALSE(app.findBox(app.appWindow()).has_value());
  EXPECT_FALSE(app.findBox(app.main()).has_value());
  EXPECT_EQ(visibleConfiguration(app), nullptr);
  EXPECT_TRUE(app.isRunning());
  EXPECT_EQ(documentState(app), before);
  EXPECT_EQ(SettingAside::read(), std::nullopt);
  EXPECT_EQ(e2e::readFile(source), "\tret\r\n");
  EXPECT_FALSE(exists(folder.path() + "prog.83p"));
}

} // namespace
