#include "e2e/remote_messages.h"

#include "e2e/waiting.h"

#include <stdexcept>

namespace e2e {

LRESULT sendBounded(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, const char* what) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kWaitMs, &result))
    throw Timeout(std::string("no answer from the app to ") + what);
  return static_cast<LRESULT>(result);
}

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t size) : process_(process), size_(size) {
  address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  if (!address_) throw std::runtime_error("VirtualAllocEx failed");
}

RemoteBuffer::~RemoteBuffer() {
  VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

void RemoteBuffer::write(const std::string& bytes) const {
  if (bytes.size() > size_) throw std::runtime_error("too much for a remote buffer");
  SIZE_T wrote = 0;
  if (!WriteProcessMemory(process_, address_, bytes.data(), bytes.size(), &wrote))
    throw std::runtime_error("WriteProcessMemory failed");
}

std::string RemoteBuffer::read() const {
  std::string out(size_, '\0');
  SIZE_T got = 0;
  if (!ReadProcessMemory(process_, address_, out.data(), size_, &got))
    throw std::runtime_error("ReadProcessMemory failed");
  out.resize(got);
  return out;
}

std::string RemoteBuffer::readString() const {
  std::string text = read();
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  return text;
}

} // namespace e2e
