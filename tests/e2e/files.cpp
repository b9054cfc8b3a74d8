#include "e2e/files.h"

#include <stdexcept>

namespace e2e {

namespace {
void removeTree(const std::string& folder) { // folder ends in a backslash
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeTree(folder + name + "\\");
      else
        DeleteFileA((folder + name).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}
} // namespace

TempFolder::TempFolder() {
  std::string base(MAX_PATH + 1, '\0');
  DWORD n = GetTempPathA(static_cast<DWORD>(base.size()), base.data());
  if (n == 0 || n >= base.size()) throw std::runtime_error("GetTempPathA failed");
  base.resize(n);
  static int counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string candidate = base + "tavrin-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(++counter);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate + "\\";
      return;
    }
  }
  throw std::runtime_error("cannot create a temp folder under " + base);
}

TempFolder::~TempFolder() {
  removeTree(path_);
}

std::string TempFolder::file(const std::string& name, const std::string& bytes) const {
  std::string full = path_ + name;
  writeFile(full, bytes);
  return full;
}

std::string quoted(const std::string& path) {
  return "\"" + path + "\"";
}

std::vector<std::string> namesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string readFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read " + path);
  std::string out;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0)
    out.append(chunk, got);
  CloseHandle(h);
  return out;
}

bool fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void writeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD wrote = 0;
  BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(h);
  if (!ok || wrote != bytes.size()) throw std::runtime_error("short write to " + path);
}

void setLastWrite(const std::string& path, const SYSTEMTIME& local) {
  FILETIME localTime{}, utc{};
  if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utc))
    throw std::runtime_error("bad time");
  HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  BOOL ok = SetFileTime(h, nullptr, nullptr, &utc);
  CloseHandle(h);
  if (!ok) throw std::runtime_error("SetFileTime failed on " + path);
}

} // namespace e2e
