#include "build/config_dialog.h"

#include "core/error.h"
#include "fakes/fake_folder_browser.h"
#include "fakes/fake_prompt.h"
#include "fakes/fake_registry.h"

#include <gtest/gtest.h>

#include <set>

namespace tavrin {
namespace {

using Kind = ValueRead::Kind;

struct FakeConfigView : ConfigView {
  std::string field = "c:\\";
  bool warningVisible = false;
  int closed = 0;
  std::string folderText() const override { return field; }
  void setFolderText(const std::string& text) override { field = text; }
  void setWarningVisible(bool visible) override { warningVisible = visible; }
  void closeDialog() override { ++closed; }
};

struct ConfigDialogTest : ::testing::Test {
  FakeConfigView view;
  fakes::FakeRegistry registry;
  fakes::FakeFolderBrowser browser;
  fakes::FakePrompt prompt;
  std::set<std::string> files;
  // The setting as the main window had it before; untouched unless a save took.
  static constexpr const char* kBefore = "q:\\before\\";
  ScriptFolder setting = [] {
    ScriptFolder s;
    s.set(kBefore);
    return s;
  }();
  ConfigDialog dialog{view,    registry,
                      browser, [this](const std::string& p) { return files.count(p) != 0; },
                      prompt,  setting};

  const std::string* stored() {
    auto v = registry.value("Software\\Molvane\\Z80", "asmbatdir");
    return v ? &v->text : nullptr;
  }
};

TEST_F(ConfigDialogTest, LoadLoadsTheFolderAndChecksForTheScript) {
  registry.setValue("Software\\Molvane\\Z80", "asmbatdir", {Kind::String, "d:\\kit\\"});
  files.insert("d:\\kit\\go.bat");
  view.warningVisible = true;
  dialog.load();
  EXPECT_EQ(view.field, "d:\\kit\\");
  EXPECT_FALSE(view.warningVisible);
}

TEST_F(ConfigDialogTest, LoadWithoutValueKeepsTheDefaultAndWarns) {
  dialog.load();
  EXPECT_EQ(view.field, "c:\\");
  EXPECT_TRUE(view.warningVisible);

  registry.refuseCreate = true;
  view.warningVisible = false;
  files.insert("c:\\go.bat");
  dialog.load();
  EXPECT_EQ(view.field, "c:\\");
  EXPECT_FALSE(view.warningVisible);
}

TEST_F(ConfigDialogTest, LoadWithWrongTypeThrowsAndSkipsTheCheck) {
  registry.setValue("Software\\Molvane\\Z80", "asmbatdir", {Kind::WrongType, ""});
  EXPECT_THROW(dialog.load(), Error);
  EXPECT_EQ(view.field, "c:\\");
  EXPECT_FALSE(view.warningVisible);
}

TEST_F(ConfigDialogTest, BrowseAppliesTheBackslashRuleAndChecks) {
  struct Case {
    std::string chosen, field;
    bool scriptThere, warning;
  } cases[] = {
      {"d:\\kit", "d:\\kit\\", true, false},
      {"e:\\", "e:\\", true, false}, // a drive root gets no second backslash
      {"f:\\other", "f:\\other\\", false, true},
      {"", "", false, true}, // cancelled: the field is emptied
      {"", "", true, false}, // ... and go.bat in the current folder counts
  };
  for (const auto& c : cases) {
    files.clear();
    if (c.scriptThere) files.insert(c.field + "go.bat");
    view.field = "old\\";
    browser.answer = c.chosen;
    dialog.browse();
    EXPECT_EQ(view.field, c.field) << c.chosen;
    EXPECT_EQ(view.warningVisible, c.warning) << c.chosen;
  }
  EXPECT_EQ(prompt.shown.size(), 0u);
  EXPECT_EQ(stored(), nullptr); // browsing stores nothing
}

TEST_F(ConfigDialogTest, CloseKeepsTheFieldAndStoresNothing) {
  view.field = "d:\\typed\\";
  dialog.close(); // Close
  EXPECT_EQ(view.closed, 1);
  EXPECT_EQ(view.field, "d:\\typed\\");
  EXPECT_FALSE(view.warningVisible);
  EXPECT_EQ(stored(), nullptr);
  EXPECT_EQ(setting.get(), kBefore);
}

TEST_F(ConfigDialogTest, SaveAddsTheBackslashEverywhereAndCloses) {
  view.field = "d:\\kit";
  dialog.save();
  EXPECT_EQ(view.field, "d:\\kit\\");
  ASSERT_NE(stored(), nullptr);
  EXPECT_EQ(*stored(), "d:\\kit\\");
  EXPECT_EQ(setting.get(), "d:\\kit\\");
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Directory is succesfully saved!");
  EXPECT_EQ(prompt.shown[0].caption, "Information");
  EXPECT_EQ(prompt.shown[0].icon, Icon::Information);
  EXPECT_EQ(prompt.shown[0].buttons, Buttons::Ok);
  EXPECT_EQ(view.closed, 1);
}

TEST_F(ConfigDialogTest, SaveOfAnEmptyFieldStoresTheEmptyString) {
  view.field = "";
  dialog.save();
  ASSERT_NE(stored(), nullptr);
  EXPECT_EQ(*stored(), "");
  EXPECT_EQ(setting.get(), "");
}

TEST_F(ConfigDialogTest, SaveWhenTheKeyWontOpenSaysSoAndStaysOpen) {
  registry.refuseCreate = true;
  view.field = "d:\\kit\\";
  dialog.save();
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Something went wrong while saving.\n\r\n\r"
                                  "Please mail this error to support@tavrin.example.\n\r"
                                  "Please tell me how and when it happend.");
  EXPECT_EQ(prompt.shown[0].caption, "Information");
  EXPECT_EQ(prompt.shown[0].icon, Icon::Information);
  EXPECT_EQ(view.closed, 0);
  EXPECT_EQ(setting.get(), kBefore);
}

TEST_F(ConfigDialogTest, SaveWhenTheWriteFailsThrowsAndChangesNothingElse) {
  registry.refuseWrite = true;
  view.field = "d:\\kit\\";
  try {
    dialog.save();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'asmbatdir'");
  }
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(view.closed, 0);
  EXPECT_EQ(setting.get(), kBefore);
}

} // namespace
} // namespace tavrin
