// Messages to the app's windows from the driver's process: sent with a bound on the
// wait, and memory inside the app's process for the messages whose pointer the
// platform does not carry across processes. Only the driver's own files use these.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace e2e {

// SendMessage that throws Timeout when the app does not answer within kWaitMs.
LRESULT sendBounded(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, const char* what);

// A block of memory in another process, freed at the end.
class RemoteBuffer {
public:
  RemoteBuffer(HANDLE process, std::size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  LPARAM lparam() const { return reinterpret_cast<LPARAM>(address_); }
  void write(const std::string& bytes) const;
  std::string read() const;       // all of its bytes
  std::string readString() const; // up to its first zero byte

private:
  HANDLE process_;
  std::size_t size_;
  void* address_ = nullptr;
};

} // namespace e2e
