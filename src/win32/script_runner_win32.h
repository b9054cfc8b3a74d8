#pragma once
// The ScriptRunner port on ShellExecuteExA: each started script's process is handed
// to the process watcher, which reports its end once.
#include "ports/script_runner.h"
#include "win32/process_watcher.h"

#include <windows.h>

#include <functional>

namespace tavrin::win32 {

class Win32ScriptRunner : public ScriptRunner {
public:
  // *owner is read at each launch; finished(id) runs from the event loop when the
  // script started with that id has ended.
  Win32ScriptRunner(const HWND* owner, ProcessWatcher& processes,
                    std::function<void(RunId)> finished)
      : owner_(owner), processes_(processes), finished_(std::move(finished)) {}
  Launch start(const std::string& script, const std::string& parameters, RunId id) override;
  UtcTime now() override;
  std::optional<UtcTime> lastWrite(const std::string& path) override;

private:
  const HWND* owner_;
  ProcessWatcher& processes_;
  std::function<void(RunId)> finished_;
};

} // namespace tavrin::win32
