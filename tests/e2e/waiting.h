// Bounded waits for the driver: every wait on the app ends after a time, and a wait
// that runs out throws e2e::Timeout, which GoogleTest reports as a failure of the
// running test with the message.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace e2e {

constexpr DWORD kWaitMs = 10000;

struct Timeout : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Polls `done` every few milliseconds; false when it is still false after `ms`.
template <class Done> bool eventually(Done done, DWORD ms = kWaitMs) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() > end) return false;
    Sleep(10);
  }
}
// Like eventually, but throws Timeout("timed out waiting for " + what) when it runs out.
template <class Done> void waitUntil(Done done, const std::string& what, DWORD ms = kWaitMs) {
  if (!eventually(done, ms)) throw Timeout("timed out waiting for " + what);
}

} // namespace e2e
