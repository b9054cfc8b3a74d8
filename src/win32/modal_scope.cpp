#include "win32/modal_scope.h"

namespace tavrin::win32 {

namespace {
struct Collect {
  HWND keep;
  std::vector<HWND>* out;
};
BOOL CALLBACK collectEnabled(HWND h, LPARAM lp) {
  auto* c = reinterpret_cast<Collect*>(lp);
  if (h != c->keep && IsWindowVisible(h) && IsWindowEnabled(h)) c->out->push_back(h);
  return TRUE;
}
} // namespace

ModalScope::ModalScope(HWND owner) {
  Collect c{owner, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&c));
  for (HWND h : disabled_)
    EnableWindow(h, FALSE);
}

ModalScope::~ModalScope() {
  for (HWND h : disabled_)
    if (IsWindow(h)) EnableWindow(h, TRUE);
}

} // namespace tavrin::win32
