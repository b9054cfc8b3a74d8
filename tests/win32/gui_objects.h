#pragma once
// Counts of this process's GDI and USER objects, to show that something leaves none
// behind.
#include <windows.h>

namespace win32_tests {

// GDI objects of this process. Windows counts them; Wine answers 0, but takes a handle's
// table index alone (a zero generation) for any live object, so its table is walked.
inline long gdiObjects() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<long>(n);
  long count = 0;
  for (ULONG_PTR i = 1; i <= 0xFFFF; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++count;
  return count;
}

inline BOOL CALLBACK countWindow(HWND h, LPARAM lp) {
  ++*reinterpret_cast<long*>(lp);
  EnumChildWindows(h, countWindow, lp);
  return TRUE;
}

// USER objects of this process: Windows counts them; under Wine the windows of this
// thread with all their children, and the menus and accelerator tables by the same
// walk of handle indices.
inline long userObjects() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return static_cast<long>(n);
  long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
  for (ULONG_PTR i = 1; i <= 0xFFFF; ++i) {
    if (IsMenu(reinterpret_cast<HMENU>(i))) ++count;
    if (CopyAcceleratorTableA(reinterpret_cast<HACCEL>(i), nullptr, 0) > 0) ++count;
  }
  return count;
}

} // namespace win32_tests
