// The registry adapter on the real registry, alone and under the setting's load and
// save. Every case works below a key of its own under HKEY_LOCAL_MACHINE, removed
// afterwards, so the program's own setting is never touched.
#include "win32/registry_win32.h"

#include "build/settings_store.h"
#include "core/error.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using tavrin::Error;
using tavrin::ValueRead;
using tavrin::win32::Win32Registry;

class RegistryTest : public testing::Test {
protected:
  void SetUp() override {
    path_ = "Software\\TavrinTests-" + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &root_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    if (volatile_) RegCloseKey(volatile_);
    RegCloseKey(root_);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path_.c_str());
  }

  // Puts a value of any type straight into a key below the test root.
  void putRaw(const std::string& key, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY k = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(root_, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(k);
  }
  void putString(const std::string& key, const char* name, DWORD type, const std::string& text) {
    putRaw(key, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  // The type the registry holds for a value, or REG_NONE when it is missing.
  DWORD storedType(const std::string& key, const char* name) {
    DWORD type = REG_NONE;
    if (RegGetValueA(root_, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     nullptr) != ERROR_SUCCESS)
      return REG_NONE;
    return type;
  }
  // A volatile key below the root: the registry refuses lasting keys under it.
  HKEY volatileRoot() {
    if (!volatile_)
      RegCreateKeyExA(root_, "volatile", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &volatile_, nullptr);
    return volatile_;
  }

  std::string path_;
  HKEY root_ = nullptr;
  HKEY volatile_ = nullptr;
};

TEST_F(RegistryTest, KeyExistsOnlyOnceCreatedAndIgnoresCase) {
  Win32Registry registry(root_);
  EXPECT_FALSE(registry.keyExists("Software\\Molvane\\z80"));
  ASSERT_NE(registry.createKey("Software\\Molvane\\z80"), nullptr);
  EXPECT_TRUE(registry.keyExists("Software\\Molvane\\z80"));
  EXPECT_TRUE(registry.keyExists("Software\\Molvane\\Z80"));
  EXPECT_FALSE(registry.keyExists("Software\\Molvane\\z8"));
}

TEST_F(RegistryTest, StringsComeBackAsWrittenWhateverTheirLength) {
  const std::string texts[] = {
      "",
      "c:\\",
      "C:\\Program Files\\TI 83 kit\\",
      "D:\\caf\xe9\\\xe0 b\\",
      std::string(1000, 'x') + "\\", // longer than any path buffer
  };
  Win32Registry registry(root_);
  for (const std::string& text : texts) {
    auto key = registry.createKey("Software\\Molvane\\Z80");
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->writeString("asmbatdir", text));
    EXPECT_EQ(storedType("Software\\Molvane\\Z80", "asmbatdir"), static_cast<DWORD>(REG_SZ));
    // Read through a second opening, as the next start would.
    ValueRead read = registry.createKey("Software\\Molvane\\z80")->readString("asmbatdir");
    EXPECT_EQ(read.kind, ValueRead::Kind::String) << text;
    EXPECT_EQ(read.text, text);
  }
}

TEST_F(RegistryTest, ValuesOtherThanStringsAreTheWrongType) {
  const DWORD number = 42;
  const unsigned char bytes[] = {'c', ':', '\\', 0};
  const char multi[] = "c:\\\0d:\\\0";
  struct Case {
    const char* name;
    DWORD type;
    const void* data;
    DWORD size;
  } cases[] = {
      {"dword", REG_DWORD, &number, sizeof number},
      {"binary", REG_BINARY, bytes, sizeof bytes},
      {"multi", REG_MULTI_SZ, multi, sizeof multi},
  };
  Win32Registry registry(root_);
  for (const Case& c : cases) {
    putRaw("k", c.name, c.type, c.data, c.size);
    ValueRead read = registry.createKey("k")->readString(c.name);
    EXPECT_EQ(read.kind, ValueRead::Kind::WrongType) << c.name;
    EXPECT_EQ(read.text, "") << c.name;
  }
}

TEST_F(RegistryTest, ExpandableStringsAreReadAsStored) {
  putString("k", "asmbatdir", REG_EXPAND_SZ, "%SystemRoot%\\kit\\%NO_SUCH_VAR%\\");
  Win32Registry registry(root_);
  ValueRead read = registry.createKey("k")->readString("asmbatdir");
  EXPECT_EQ(read.kind, ValueRead::Kind::String);
  EXPECT_EQ(read.text, "%SystemRoot%\\kit\\%NO_SUCH_VAR%\\");
}

TEST_F(RegistryTest, StringsWithoutTheirClosingNullAndMissingValues) {
  const char text[] = {'c', ':', '\\', 'k'};
  putRaw("k", "bare", REG_SZ, text, sizeof text);
  putRaw("k", "empty", REG_SZ, "", 0);
  Win32Registry registry(root_);
  auto key = registry.createKey("k");
  EXPECT_EQ(key->readString("bare").text, "c:\\k");
  ValueRead empty = key->readString("empty");
  EXPECT_EQ(empty.kind, ValueRead::Kind::String);
  EXPECT_EQ(empty.text, "");
  ValueRead missing = key->readString("asmbatdir");
  EXPECT_EQ(missing.kind, ValueRead::Kind::Missing);
}

// The setting's own load and save, over the real registry below the test root.
TEST_F(RegistryTest, SettingLoadCreatesTheKeyAndReadsWhatSaveStored) {
  Win32Registry registry(root_);
  EXPECT_EQ(tavrin::loadAsmBatDir(registry), std::nullopt);
  EXPECT_TRUE(registry.keyExists("Software\\Molvane\\z80")); // created by the load
  ASSERT_TRUE(tavrin::saveAsmBatDir(registry, "C:\\TI 83\\kit\\"));
  EXPECT_EQ(tavrin::loadAsmBatDir(registry), "C:\\TI 83\\kit\\");
  EXPECT_EQ(tavrin::loadDialogFolder(registry), "C:\\TI 83\\kit\\");
}

TEST_F(RegistryTest, SettingLoadRefusesANumberAndTakesAnExpandableString) {
  Win32Registry registry(root_);
  const DWORD number = 7;
  putRaw("Software\\Molvane\\Z80", "asmbatdir", REG_DWORD, &number, sizeof number);
  for (auto load : {&tavrin::loadAsmBatDir, &tavrin::loadDialogFolder}) {
    try {
      load(registry);
      ADD_FAILURE() << "no error raised";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Invalid data type for 'asmbatdir'");
    }
  }
  putString("Software\\Molvane\\Z80", "asmbatdir", REG_EXPAND_SZ, "%TEMP%\\kit\\");
  EXPECT_EQ(tavrin::loadAsmBatDir(registry), "%TEMP%\\kit\\");
}

TEST_F(RegistryTest, AKeyThatCannotBeCreatedFailsTheLoadAndTheSave) {
  HKEY root = volatileRoot();
  ASSERT_NE(root, nullptr);
  Win32Registry registry(root);
  if (registry.createKey("Software\\Molvane\\z80"))
    GTEST_SKIP() << "this registry lets a lasting key be made under a volatile one";
  EXPECT_FALSE(registry.keyExists("Software\\Molvane\\z80"));
  try {
    tavrin::loadAsmBatDir(registry);
    ADD_FAILURE() << "no error raised";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Failed to create key Software\\Molvane\\z80");
  }
  EXPECT_FALSE(tavrin::saveAsmBatDir(registry, "c:\\"));
}

} // namespace
