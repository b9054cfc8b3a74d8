// The script runner and the shell adapter on real batch scripts run by the system's
// command processor: what a script receives, the end of its run reported through the
// event loop, launch failures, and file times.
#include "win32/script_runner_win32.h"

#include "win32/error_box.h"
#include "win32/message_loop.h"
#include "win32/process_watcher.h"
#include "win32/handles.h"
#include "win32/shell_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using tavrin::RunId;
using tavrin::UtcTime;
using tavrin::win32::ErrorBox;
using tavrin::win32::Handle;
using tavrin::win32::MessageLoop;
using tavrin::win32::ProcessWatcher;
using tavrin::win32::Win32ScriptRunner;
using tavrin::win32::Win32Shell;

// A folder with a space in its name, so the script's own path has one too.
std::string tempFolder() {
  char base[MAX_PATH + 1];
  GetTempPathA(MAX_PATH + 1, base);
  std::string folder = std::string(base) + "tavrin runner " + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

void putFile(const std::string& path, const std::string& data) {
  Handle f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(f);
  DWORD wrote = 0;
  WriteFile(f.get(), data.data(), static_cast<DWORD>(data.size()), &wrote, nullptr);
}

std::optional<std::string> readFile(const std::string& path) {
  Handle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr));
  if (!f) return std::nullopt;
  std::string data(GetFileSize(f.get(), nullptr), '\0');
  DWORD got = 0;
  ReadFile(f.get(), data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
  data.resize(got);
  return data;
}

bool timedOut = false;
void CALLBACK timeUp(HWND, UINT, UINT_PTR, DWORD) {
  timedOut = true;
}

// Runs the event loop until done() or until the time is up; false on time-out.
bool loopUntil(MessageLoop& loop, const std::function<bool()>& done, UINT milliseconds = 30000) {
  timedOut = false;
  UINT_PTR timer = SetTimer(nullptr, 0, milliseconds, timeUp);
  loop.runUntil([&] { return done() || timedOut; });
  KillTimer(nullptr, timer);
  return done();
}

class ScriptRunnerTest : public testing::Test {
protected:
  void SetUp() override {
    folder_ = tempFolder();
    script_ = folder_ + "record.bat";
    record_ = folder_ + "args.txt";
    DeleteFileA(record_.c_str());
    // Records what it was given, then ends with a code of its own.
    putFile(script_, "@echo off\r\n"
                     "echo [%1]> \"%~dp0args.txt\"\r\n"
                     "echo [%*]>> \"%~dp0args.txt\"\r\n"
                     "exit /b 3\r\n");
  }
  void TearDown() override {
    DeleteFileA(record_.c_str());
    DeleteFileA(script_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  bool loopUntil(const std::function<bool()>& done, UINT milliseconds = 30000) {
    return ::loopUntil(loop_, done, milliseconds);
  }

  std::string folder_, script_, record_;
  HWND owner_ = nullptr;
  ErrorBox errors_{nullptr, "Tavrin by Molvane"};
  ProcessWatcher processes_;
  MessageLoop loop_{processes_, errors_};
  std::vector<RunId> finished_;
  // Whether the script's record was complete when its end was reported.
  std::vector<bool> recordedBeforeEnd_;
  Win32ScriptRunner runner_{&owner_, processes_, [this](RunId id) {
                              finished_.push_back(id);
                              auto text = readFile(record_);
                              recordedBeforeEnd_.push_back(text && text->find("]\r\n[") !=
                                                                       std::string::npos);
                            }};
};

TEST_F(ScriptRunnerTest, ParametersReachTheScriptUnquotedAndItsEndIsReportedOnce) {
  struct Case {
    const char* parameters;
    const char* expected; // the record: %1, then %*
  } cases[] = {
      {"C:\\work\\demo", "[C:\\work\\demo]\r\n[C:\\work\\demo]\r\n"},
      // A path with spaces is split at them: %1 is only its first part.
      {"C:\\my sources\\first game", "[C:\\my]\r\n[C:\\my sources\\first game]\r\n"},
      {"", "[]\r\n[]\r\n"},
  };
  RunId id = 40;
  for (const Case& c : cases) {
    finished_.clear();
    recordedBeforeEnd_.clear();
    DeleteFileA(record_.c_str());
    ++id;
    tavrin::Launch launch = runner_.start(script_, c.parameters, id);
    ASSERT_TRUE(launch.started) << launch.errorDescription;
    ASSERT_TRUE(launch.tracked);
    ASSERT_TRUE(loopUntil([&] { return !finished_.empty(); })) << "no end reported";
    EXPECT_EQ(finished_, std::vector<RunId>{id});
    EXPECT_EQ(recordedBeforeEnd_, std::vector<bool>{true});
    EXPECT_EQ(readFile(record_), std::string(c.expected)) << c.parameters;
    // Nothing more comes for the same run.
    loopUntil([] { return false; }, 300);
    EXPECT_EQ(finished_.size(), 1u);
  }
}

TEST_F(ScriptRunnerTest, SeveralRunsEachReportTheirOwnEnd) {
  ASSERT_TRUE(runner_.start(script_, "a", 1).tracked);
  ASSERT_TRUE(runner_.start(script_, "b", 2).tracked);
  ASSERT_TRUE(loopUntil([&] { return finished_.size() == 2; }));
  std::sort(finished_.begin(), finished_.end());
  EXPECT_EQ(finished_, (std::vector<RunId>{1, 2}));
}

TEST_F(ScriptRunnerTest, AMissingScriptIsNotStartedAndGivesTheSystemsReason) {
  tavrin::Launch launch = runner_.start(folder_ + "missing.bat", "x", 9);
  EXPECT_FALSE(launch.started);
  EXPECT_FALSE(launch.tracked);
  EXPECT_FALSE(launch.errorDescription.empty());
  loopUntil([] { return false; }, 300);
  EXPECT_TRUE(finished_.empty());
}

TEST_F(ScriptRunnerTest, FileTimesAgainstTheClock) {
  const UtcTime before = runner_.now();
  putFile(folder_ + "out.83p", "**TI83F*");
  const UtcTime after = runner_.now();
  auto written = runner_.lastWrite(folder_ + "out.83p");
  ASSERT_TRUE(written.has_value());
  // File systems may keep times in steps of up to two seconds.
  EXPECT_GE(*written, before - 2 * tavrin::kUtcTicksPerSecond);
  EXPECT_LE(*written, after + 2 * tavrin::kUtcTicksPerSecond);
  EXPECT_EQ(runner_.lastWrite(folder_ + "none.83p"), std::nullopt);
  EXPECT_EQ(runner_.lastWrite(folder_.substr(0, folder_.size() - 1)), std::nullopt); // a folder
  DeleteFileA((folder_ + "out.83p").c_str());
}

TEST_F(ScriptRunnerTest, ShellOpenRunsInTheGivenFolderAndReportsAMissingFile) {
  HWND owner = nullptr;
  Win32Shell shell(&owner);
  putFile(folder_ + "where.bat", "@echo off\r\ncd > \"%~dp0where.txt\"\r\n");
  EXPECT_TRUE(shell.open(folder_ + "where.bat", "", folder_));
  // The shell gives no process to wait for: look for the script's record now and then.
  std::optional<std::string> where;
  for (int i = 0; i < 200 && !(where && !where->empty()); ++i) {
    Sleep(50);
    where = readFile(folder_ + "where.txt");
  }
  ASSERT_TRUE(where.has_value()) << "the script did not run";
  EXPECT_EQ(*where, folder_.substr(0, folder_.size() - 1) + "\r\n");
  EXPECT_FALSE(shell.open("helpfile.hlp", "", folder_ + "no such folder"));
  Sleep(200); // let the command processor let go of the files
  DeleteFileA((folder_ + "where.txt").c_str());
  DeleteFileA((folder_ + "where.bat").c_str());
}

// A handle that can't be waited for fails every wait: its process is taken as ended
// (reported once), and the loop goes on waiting for messages rather than spinning.
TEST(ProcessWatcherTest, AHandleThatCannotBeWaitedForEndsItsWatchOnce) {
  ErrorBox errors{nullptr, "Tavrin by Molvane"};
  ProcessWatcher processes;
  MessageLoop loop{processes, errors};
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE stale = nullptr;
  DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &stale, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  CloseHandle(stale); // the value now names nothing
  int ends = 0;
  processes.watch(tavrin::win32::KernelHandle(stale), [&] { ++ends; });
  EXPECT_TRUE(loopUntil(
      loop, [&] { return ends == 1; }, 5000));
  // The loop still serves messages afterwards.
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
  loopUntil(
      loop, [] { return false; }, 200);
  EXPECT_EQ(ends, 1);
  CloseHandle(event);
}

} // namespace
