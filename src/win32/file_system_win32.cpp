#include "win32/file_system_win32.h"

#include "core/error.h"
#include "document/file_errors.h"
#include "win32/handles.h"
#include "win32/system_error.h"

#include <windows.h>

#include <new>

namespace tavrin::win32 {

namespace {

// Paths at or past the classic limit go through the "\\?\" form, which the ANSI
// functions accept as well.
std::string extended(const std::string& full) {
  if (full.size() < MAX_PATH || full.rfind("\\\\", 0) == 0) return full;
  return "\\\\?\\" + full;
}

std::string folderOf(const std::string& full) {
  auto slash = full.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : full.substr(0, slash);
}

[[noreturn]] void failCreate(const std::string& full, DWORD code) {
  throw Error(cannotCreateText(full, describeError(code)));
}

} // namespace

std::string Win32FileSystem::fullPath(const std::string& path) {
  DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::string out(needed, '\0');
  DWORD got = GetFullPathNameA(path.c_str(), needed, out.data(), nullptr);
  if (got == 0 || got >= needed) return path;
  out.resize(got);
  return out;
}

std::string Win32FileSystem::readAll(const std::string& path) {
  const std::string full = fullPath(path);
  Handle file(CreateFileA(extended(full).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) throw Error(cannotOpenText(full, describeError(GetLastError())));
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size))
    throw Error(cannotOpenText(full, describeError(GetLastError())));
  // A 32-bit program can't hold more than this in the editor anyway.
  if (size.QuadPart > 0x3FFFFFFF) throw Error(kTextExceedsMemo);
  std::string data;
  try {
    data.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    throw Error(kTextExceedsMemo);
  }
  std::size_t done = 0;
  while (done < data.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1 << 24));
    if (!ReadFile(file.get(), data.data() + done, want, &got, nullptr))
      throw Error(cannotOpenText(full, describeError(GetLastError())));
    if (got == 0) break; // the file shrank while we read it
    done += got;
  }
  data.resize(done);
  return data;
}

void Win32FileSystem::writeAll(const std::string& path, const TextSource& source) {
  const std::string full = fullPath(path);
  const DWORD attributes = GetFileAttributesA(extended(full).c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    failCreate(full, ERROR_ACCESS_DENIED);
  if (exists) {
    // Saving needs the file for exclusive use: fail early when another program holds it.
    Handle probe(CreateFileA(extended(full).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) failCreate(full, GetLastError());
  }

  // The text goes into a new file beside the target first, so a failed or cut-off
  // write never touches the old file.
  std::string temp;
  Handle out;
  const std::string folder = folderOf(full);
  const DWORD first = GetTickCount() ^ GetCurrentProcessId();
  for (DWORD attempt = 0; attempt < 100 && !out; ++attempt) {
    // Four hex digits: an 8.3 name, so a target whose path is as long as paths may be
    // leaves room for its temporary file beside it.
    temp = folder + "\\~tv";
    for (int shift = 12; shift >= 0; shift -= 4)
      temp += "0123456789ABCDEF"[((first + attempt) >> shift) & 0xF];
    temp += ".tmp";
    out.reset(CreateFileA(extended(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
      failCreate(full, GetLastError());
  }
  if (!out) failCreate(full, GetLastError());

  auto discard = [&] {
    out.reset();
    DeleteFileA(extended(temp).c_str());
  };
  auto put = [&](std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
      DWORD wrote = 0;
      DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1 << 24));
      if (!WriteFile(out.get(), data.data() + done, want, &wrote, nullptr) || wrote == 0)
        throw Error(kStreamWriteError);
      done += wrote;
    }
  };
  try {
    source(put);
  } catch (...) {
    discard();
    throw;
  }
  if (!FlushFileBuffers(out.get())) {
    discard();
    throw Error(kStreamWriteError);
  }
  out.reset();

  BOOL replaced = exists ? ReplaceFileA(extended(full).c_str(), extended(temp).c_str(), nullptr,
                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                         : MoveFileExA(extended(temp).c_str(), extended(full).c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!replaced) {
    DWORD code = GetLastError();
    DeleteFileA(extended(temp).c_str());
    failCreate(full, code);
  }
}

std::optional<DosStamp> Win32FileSystem::lastWrite(const std::string& path) {
  WIN32_FIND_DATAA found{};
  FindHandle search(FindFirstFileA(path.c_str(), &found));
  if (!search) return std::nullopt;
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  FILETIME local{};
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) ||
      !FileTimeToDosDateTime(&local, &date, &time))
    return std::nullopt;
  return DosStamp{date, time};
}

} // namespace tavrin::win32
