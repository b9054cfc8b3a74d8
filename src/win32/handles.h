#pragma once
// Handles that close themselves.
#include <windows.h>

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
struct GdiTraits {
  using Type = HGDIOBJ;
  static HGDIOBJ invalid() { return nullptr; }
  static void close(HGDIOBJ h) { DeleteObject(h); }
};

using Handle = UniqueHandle<FileTraits>;
using FindHandle = UniqueHandle<FindTraits>;
using KeyHandle = UniqueHandle<KeyTraits>;
using GdiObject = UniqueHandle<GdiTraits>;

} // namespace tavrin::win32
