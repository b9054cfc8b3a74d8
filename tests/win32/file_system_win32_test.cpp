// The file adapter on real files: whole reads and writes, the failures the user can
// meet, and last-write times in local DOS form.
#include "win32/file_system_win32.h"

#include "core/error.h"
#include "win32/handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <new>

#include <string>

namespace {

using tavrin::Error;
using tavrin::win32::Handle;
using tavrin::win32::Win32FileSystem;

std::string tempFolder() {
  char base[MAX_PATH + 1];
  GetTempPathA(MAX_PATH + 1, base);
  std::string folder = std::string(base) + "tavrin-fs-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

std::string bytesOf(const std::string& path) {
  Win32FileSystem fs;
  return fs.readAll(path);
}

void putFile(const std::string& path, const std::string& data) {
  Handle f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(f);
  DWORD wrote = 0;
  WriteFile(f.get(), data.data(), static_cast<DWORD>(data.size()), &wrote, nullptr);
}

void setLocalTime(const std::string& path, WORD year, WORD month, WORD day, WORD h, WORD m,
                  WORD s) {
  SYSTEMTIME local{year, month, 0, day, h, m, s, 0};
  FILETIME lft, ft;
  SystemTimeToFileTime(&local, &lft);
  LocalFileTimeToFileTime(&lft, &ft);
  Handle f(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(f);
  SetFileTime(f.get(), nullptr, nullptr, &ft);
}

std::string expectError(auto&& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  ADD_FAILURE() << "no error raised";
  return {};
}

class FileSystemTest : public ::testing::Test {
protected:
  std::string dir = tempFolder();
  Win32FileSystem fs;
};

TEST_F(FileSystemTest, WritesAndReadsBackByteForByteLeavingNoTemporaryFile) {
  const std::string text = "line 1\r\n\tret\r\nlast";
  fs.writeAll(dir + "a.z80", text);
  EXPECT_EQ(bytesOf(dir + "a.z80"), text);
  fs.writeAll(dir + "a.z80", "");
  EXPECT_EQ(bytesOf(dir + "a.z80"), "");
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((dir + "~tv*.tmp").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "left behind: " << found.cFileName;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

// A save hands its text over piece by piece; a piece that can't be made (the text
// read out of the editor runs out of memory) leaves the old file and no temporary one.
TEST_F(FileSystemTest, PiecesOfATextMakeTheFileAndAFailingSourceKeepsTheOldOne) {
  fs.writeAll(dir + "p.z80", [](const tavrin::TextSink& put) {
    put("\tld a,1\r\n");
    put("");
    put("\tret");
  });
  EXPECT_EQ(bytesOf(dir + "p.z80"), "\tld a,1\r\n\tret");
  EXPECT_THROW(fs.writeAll(dir + "p.z80",
                           [](const tavrin::TextSink& put) {
                             put("half of it");
                             throw std::bad_alloc();
                           }),
               std::bad_alloc);
  EXPECT_EQ(bytesOf(dir + "p.z80"), "\tld a,1\r\n\tret");
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((dir + "~tv*.tmp").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "left behind: " << found.cFileName;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(FileSystemTest, AMissingFileCannotBeOpenedAndTheMessageNamesItsFullPath) {
  std::string text = expectError([&] { fs.readAll(dir + "missing.z80"); });
  EXPECT_EQ(text.rfind("Cannot open file \"" + dir + "missing.z80\". ", 0), 0u) << text;
  EXPECT_NE(text.back(), '.');
}

TEST_F(FileSystemTest, AFileHeldOpenForWritingCannotBeOpened) {
  putFile(dir + "held.z80", "x");
  Handle holder(CreateFileA((dir + "held.z80").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr));
  ASSERT_TRUE(holder);
  std::string text = expectError([&] { fs.readAll(dir + "held.z80"); });
  EXPECT_EQ(text.rfind("Cannot open file \"", 0), 0u) << text;
}

TEST_F(FileSystemTest, SavingOntoAReadOnlyOrHeldFileKeepsTheOldFileWhole) {
  putFile(dir + "ro.z80", "old text");
  SetFileAttributesA((dir + "ro.z80").c_str(), FILE_ATTRIBUTE_READONLY);
  std::string text = expectError([&] { fs.writeAll(dir + "ro.z80", "new"); });
  EXPECT_EQ(text.rfind("Cannot create file \"" + dir + "ro.z80\". ", 0), 0u) << text;
  SetFileAttributesA((dir + "ro.z80").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(bytesOf(dir + "ro.z80"), "old text");

  putFile(dir + "busy.z80", "old busy");
  {
    Handle holder(CreateFileA((dir + "busy.z80").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr));
    ASSERT_TRUE(holder);
    text = expectError([&] { fs.writeAll(dir + "busy.z80", "new"); });
    EXPECT_EQ(text.rfind("Cannot create file \"", 0), 0u) << text;
  }
  EXPECT_EQ(bytesOf(dir + "busy.z80"), "old busy");
}

TEST_F(FileSystemTest, SavingIntoAMissingFolderFails) {
  std::string text = expectError([&] { fs.writeAll(dir + "gone\\a.z80", "x"); });
  EXPECT_EQ(text.rfind("Cannot create file \"" + dir + "gone\\a.z80\". ", 0), 0u) << text;
}

TEST_F(FileSystemTest, SavesAndReadsAFileWithTheLongestClassicPath) {
  std::string sub = dir + std::string(120, 'd');
  CreateDirectoryA(sub.c_str(), nullptr);
  std::string path = sub + "\\";
  path += std::string(259 - path.size() - 4, 'f') + ".z80";
  ASSERT_EQ(path.size(), 259u);
  fs.writeAll(path, "ld a,1");
  EXPECT_EQ(fs.readAll(path), "ld a,1");
  EXPECT_TRUE(fs.lastWrite(path).has_value());
}

TEST_F(FileSystemTest, LastWriteIsTheLocalTimeInTwoSecondSteps) {
  putFile(dir + "t.z80", "x");
  setLocalTime(dir + "t.z80", 2024, 3, 15, 13, 45, 31);
  auto stamp = fs.lastWrite(dir + "t.z80");
  ASSERT_TRUE(stamp.has_value());
  EXPECT_EQ(stamp->date, ((2024 - 1980) << 9) | (3 << 5) | 15);
  EXPECT_EQ(stamp->time, (13 << 11) | (45 << 5) | (31 / 2));

  setLocalTime(dir + "t.z80", 2020, 1, 2, 0, 0, 0);
  stamp = fs.lastWrite(dir + "t.z80");
  ASSERT_TRUE(stamp.has_value());
  EXPECT_EQ(stamp->time, 0);
}

TEST_F(FileSystemTest, FoldersAndFilesFromBefore1980HaveNoDate) {
  EXPECT_FALSE(fs.lastWrite(dir.substr(0, dir.size() - 1)).has_value());
  EXPECT_FALSE(fs.lastWrite(dir + "nothing-here.z80").has_value());
  putFile(dir + "old.z80", "x");
  setLocalTime(dir + "old.z80", 1979, 12, 31, 12, 0, 0);
  EXPECT_FALSE(fs.lastWrite(dir + "old.z80").has_value());
}

TEST_F(FileSystemTest, FullPathExpandsARelativeName) {
  char cwd[MAX_PATH + 1];
  GetCurrentDirectoryA(MAX_PATH + 1, cwd);
  std::string expected = std::string(cwd);
  if (expected.back() != '\\') expected += '\\';
  EXPECT_EQ(fs.fullPath("x.z80"), expected + "x.z80");
}

} // namespace
