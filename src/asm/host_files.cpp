#include "asm/host_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tavasm {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

#ifdef _WIN32
std::string lastErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string out = n != 0 && text ? std::string(text, n) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == '.'))
    out.pop_back();
  return out;
}
#endif

} // namespace

std::optional<std::string> DiskFiles::read(const std::string& path) {
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return std::nullopt;
  std::string text;
  constexpr size_t kChunk = 64 * 1024;
  for (;;) {
    const size_t old = text.size();
    text.resize(old + kChunk);
    const size_t got = std::fread(text.data() + old, 1, kChunk, f.get());
    text.resize(old + got);
    if (got < kChunk) break;
  }
  // A folder opens on some systems but can't be read.
  if (std::ferror(f.get())) return std::nullopt;
  return text;
}

std::string executableDir() {
#ifdef _WIN32
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2); // cut short: try again with more room
  }
#else
  std::string path(256, '\0');
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < path.size()) {
      path.resize(static_cast<size_t>(n));
      break;
    }
    path.resize(path.size() * 2);
  }
#endif
  return folderOf(path);
}

bool writeReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes,
                    std::string& error) {
  const std::string temp = path + ".tavasm-new";
  auto fail = [&](const std::string& reason) {
    std::remove(temp.c_str());
    error = "can't write " + path + ": " + reason;
    return false;
  };
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) {
    error = "can't write " + path + ": " + std::strerror(errno);
    return false;
  }
  const bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const int writeErrno = errno;
  // Closing flushes, so a full disk may show only here.
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) return fail(std::strerror(written ? errno : writeErrno));
#ifdef _WIN32
  if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    return fail(lastErrorText(GetLastError()));
#else
  if (std::rename(temp.c_str(), path.c_str()) != 0) return fail(std::strerror(errno));
#endif
  return true;
}

} // namespace tavasm
