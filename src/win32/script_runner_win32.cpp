#include "win32/script_runner_win32.h"

#include "win32/late_bound.h"
#include "win32/system_error.h"

#include <shellapi.h>

namespace tavrin::win32 {

namespace {
UtcTime toUtcTime(const FILETIME& t) {
  return static_cast<UtcTime>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                              t.dwLowDateTime);
}
} // namespace

Launch Win32ScriptRunner::start(const std::string& script, const std::string& parameters,
                                RunId id) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner_ ? *owner_ : nullptr;
  info.lpVerb = "open";
  info.lpFile = script.c_str();
  // Passed as it is, unquoted: the script takes a path with spaces as several arguments.
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.lpDirectory = nullptr; // the script starts in the program's current folder
  info.nShow = SW_SHOWNORMAL;
  static const auto shellExecute =
      lateBound<decltype(ShellExecuteExA)>("shell32.dll", "ShellExecuteExA");
  if (!shellExecute(&info)) return {false, describeError(GetLastError()), false};
  if (!info.hProcess) return {true, {}, false};
  auto finished = finished_;
  processes_.watch(KernelHandle(info.hProcess), [finished, id] {
    if (finished) finished(id);
  });
  return {true, {}, true};
}

UtcTime Win32ScriptRunner::now() {
  FILETIME t;
  GetSystemTimeAsFileTime(&t);
  return toUtcTime(t);
}

std::optional<UtcTime> Win32ScriptRunner::lastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return toUtcTime(data.ftLastWriteTime);
}

} // namespace tavrin::win32
