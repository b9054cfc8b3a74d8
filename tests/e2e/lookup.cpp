#include "e2e/lookup.h"

#include "e2e/window_text.h"

#include <tlhelp32.h>

namespace e2e {

namespace {

struct ProcessWindows {
  DWORD pid;
  std::vector<HWND> found;
};

// Gathers the top-level windows of one process. The rest of a query is matched after
// the walk: reading a caption asks the app and may throw Timeout, which must not pass
// through EnumWindows.
BOOL CALLBACK collectTopLevel(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<ProcessWindows*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == s->pid) s->found.push_back(h);
  return TRUE;
}

bool matches(HWND h, const TopLevelQuery& q) {
  if (!q.hiddenToo && !IsWindowVisible(h)) return false;
  if (className(h) != q.cls) return false;
  if (q.owner && GetWindow(h, GW_OWNER) != q.owner) return false;
  return q.caption.empty() || windowText(h) == q.caption;
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

HWND findTopLevel(const TopLevelQuery& query) {
  ProcessWindows windows{query.pid, {}};
  EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&windows));
  for (HWND h : windows.found)
    if (matches(h, query)) return h;
  return nullptr;
}

HWND descendant(HWND root, int id) {
  ChildSearch s{id, nullptr};
  EnumChildWindows(root, findChild, reinterpret_cast<LPARAM>(&s));
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

} // namespace e2e
