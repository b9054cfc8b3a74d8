#include "asm/host_files.h"

#include "asm/token.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

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

unsigned long processId() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(getpid());
#endif
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

FileText DiskFiles::read(const std::string& path) {
  FileText out;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    out.status = FileText::Status::Folder;
    return out;
  }
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return out;
  // Read in pieces up to one byte past the limit: a device such as /dev/zero has no size.
  constexpr size_t kChunk = 64 * 1024;
  for (;;) {
    const size_t old = out.text.size();
    out.text.resize(old + kChunk);
    const size_t got = std::fread(out.text.data() + old, 1, kChunk, f.get());
    out.text.resize(old + got);
    if (out.text.size() > kMaxSourceSize) {
      out.text.clear();
      out.text.shrink_to_fit();
      out.status = FileText::Status::TooLarge;
      return out;
    }
    if (got < kChunk) break;
  }
  // A folder opens on some systems but can't be read.
  if (std::ferror(f.get())) {
    out.text.clear();
    return out;
  }
  out.status = FileText::Status::Ok;
  return out;
}

bool sameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::equivalent(a, b, ec) && !ec) return true;
  const fs::path pa = fs::weakly_canonical(fs::absolute(a, ec), ec);
  const fs::path pb = fs::weakly_canonical(fs::absolute(b, ec), ec);
#ifdef _WIN32
  return lowered(pa.string()) == lowered(pb.string()); // Windows' names ignore case
#else
  return pa == pb;
#endif
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
  // A short name beside the output: the output's own name may already be as long as a
  // name can be, so one made from it may not fit.
  const size_t slash = path.find_last_of("/\\");
  const std::string temp =
      (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "~tavasm" +
      std::to_string(processId()) + ".tmp";
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
