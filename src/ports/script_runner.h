#pragma once
// Starting the build script through the shell's "open" action, and the clock and
// file times needed to judge what a finished run left behind.
#include <cstdint>
#include <optional>
#include <string>

namespace tavrin {

using RunId = std::uint32_t;

// Times in 100-nanosecond steps since 1 January 1601, UTC (the platform's file time).
using UtcTime = std::int64_t;
inline constexpr UtcTime kUtcTicksPerSecond = 10'000'000;

struct Launch {
  bool started = false;
  std::string errorDescription; // the system's text for why it did not start
  bool tracked = false;         // a process to wait for: its end is reported with id
};

class ScriptRunner {
public:
  virtual ~ScriptRunner() = default;
  // Opens script with the parameter string as it is, no working folder, a normal
  // window, owned by the main window. When tracked, the message loop later reports
  // the process's end once with the same id.
  virtual Launch start(const std::string& script, const std::string& parameters, RunId id) = 0;
  virtual UtcTime now() = 0;
  // The last-write time of an existing file (not a folder); nothing when there is none.
  virtual std::optional<UtcTime> lastWrite(const std::string& path) = 0;
};

} // namespace tavrin
