// Looking up what runs on the desktop: processes by name, a process's top-level windows
// and a window's controls.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// What a top-level window must be to be found: of process `pid`, of class `cls`, with
// this caption when one is given, owned by `owner` when one is given, and visible
// unless hidden ones are asked for too (the app's TApplication window is never shown).
struct TopLevelQuery {
  DWORD pid = 0;
  std::string cls{};
  std::string caption{}; // empty: any
  HWND owner = nullptr;  // null: any
  bool hiddenToo = false;
};

// The first top-level window that matches; nullptr when there is none.
HWND findTopLevel(const TopLevelQuery& query);

// A child at any depth with this control ID; nullptr when there is none.
HWND descendant(HWND root, int id);

// Ids of the running processes with this executable name (any case), only those started
// by `parent` when one is given.
std::vector<DWORD> processesNamed(const std::string& exeName,
                                  std::optional<DWORD> parent = std::nullopt);

} // namespace e2e
