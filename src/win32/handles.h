#pragma once
// Handles that close themselves: each kind of handle has a traits type that says what
// an empty handle is and how one is freed.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace tavrin::win32 {

template <class Traits> class UniqueHandle {
public:
  using T = typename Traits::Type;
  UniqueHandle() = default;
  explicit UniqueHandle(T h) : h_(h) {}
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    reset(std::exchange(o.h_, Traits::invalid()));
    return *this;
  }
  ~UniqueHandle() { reset(); }
  void reset(T h = Traits::invalid()) {
    if (h_ != Traits::invalid()) Traits::close(h_);
    h_ = h;
  }
  T get() const { return h_; }
  T release() { return std::exchange(h_, Traits::invalid()); }
  explicit operator bool() const { return h_ != Traits::invalid(); }

private:
  T h_ = Traits::invalid();
};

struct FileTraits {
  using Type = HANDLE;
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { CloseHandle(h); }
};
// Process, thread and event handles: null when there is none.
struct KernelTraits {
  using Type = HANDLE;
  static HANDLE invalid() { return nullptr; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct FindTraits {
  using Type = HANDLE;
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { FindClose(h); }
};
struct KeyTraits {
  using Type = HKEY;
  static HKEY invalid() { return nullptr; }
  static void close(HKEY h) { RegCloseKey(h); }
};
template <class GdiType> struct GdiTraits {
  using Type = GdiType;
  static GdiType invalid() { return nullptr; }
  static void close(GdiType h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  using Type = HDC;
  static HDC invalid() { return nullptr; }
  static void close(HDC h) { DeleteDC(h); }
};
struct MenuTraits {
  using Type = HMENU;
  static HMENU invalid() { return nullptr; }
  static void close(HMENU h) { DestroyMenu(h); }
};
struct AcceleratorTraits {
  using Type = HACCEL;
  static HACCEL invalid() { return nullptr; }
  static void close(HACCEL h) { DestroyAcceleratorTable(h); }
};
struct ImageListTraits {
  using Type = HIMAGELIST;
  static HIMAGELIST invalid() { return nullptr; }
  static void close(HIMAGELIST h) { ImageList_Destroy(h); }
};

// A window of one of the program's window objects: its procedure is told to forget the
// object first, so what is left of the window's life reaches no handler of an object
// that is going away. The window object lets go of it when the window is destroyed.
template <int ObjectSlot> struct ObjectWindowTraits {
  using Type = HWND;
  static HWND invalid() { return nullptr; }
  static void close(HWND h) {
    SetWindowLongPtrA(h, ObjectSlot, 0);
    DestroyWindow(h);
  }
};

using Handle = UniqueHandle<FileTraits>;
using KernelHandle = UniqueHandle<KernelTraits>;
using FindHandle = UniqueHandle<FindTraits>;
using KeyHandle = UniqueHandle<KeyTraits>;
using GdiObject = UniqueHandle<GdiTraits<HGDIOBJ>>;
using Font = UniqueHandle<GdiTraits<HFONT>>;
using Bitmap = UniqueHandle<GdiTraits<HBITMAP>>;
using Brush = UniqueHandle<GdiTraits<HBRUSH>>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using Menu = UniqueHandle<MenuTraits>;
using AcceleratorTable = UniqueHandle<AcceleratorTraits>;
using ImageList = UniqueHandle<ImageListTraits>;
using ObjectWindow = UniqueHandle<ObjectWindowTraits<GWLP_USERDATA>>;
using ObjectDialog = UniqueHandle<ObjectWindowTraits<DWLP_USER>>;

// A window's device context, released when it goes (GetDC / ReleaseDC).
class WindowDc {
public:
  explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context until the end of the scope.
class Selected {
public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

} // namespace tavrin::win32
