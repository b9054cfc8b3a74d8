#include "build/settings_store.h"

#include "core/error.h"
#include "fakes/fake_registry.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using fakes::FakeRegistry;
using Kind = ValueRead::Kind;
using Calls = std::vector<std::string>;

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(LoadAsmBatDir, CreatesAMissingKeyThenOpensItAndReads) {
  FakeRegistry reg;
  EXPECT_EQ(loadAsmBatDir(reg), std::nullopt);
  EXPECT_EQ(reg.calls, (Calls{"exists Software\\Molvane\\z80", "create Software\\Molvane\\z80",
                              "create Software\\Molvane\\z80", "read asmbatdir"}));
  EXPECT_EQ(reg.keys.count("software\\molvane\\z80"), 1u);
}

TEST(LoadAsmBatDir, ReadsAnExistingValueWithoutCreatingFirst) {
  FakeRegistry reg;
  reg.setValue("SOFTWARE\\Molvane\\Z80", "asmbatdir", {Kind::String, "d:\\ti83\\"});
  EXPECT_EQ(loadAsmBatDir(reg), "d:\\ti83\\");
  EXPECT_EQ(reg.calls, (Calls{"exists Software\\Molvane\\z80", "create Software\\Molvane\\z80",
                              "read asmbatdir"}));
}

TEST(LoadAsmBatDir, MissingKeyThatCannotBeCreatedStopsTheLoad) {
  FakeRegistry reg;
  reg.refuseCreate = true;
  EXPECT_EQ(errorOf([&] { loadAsmBatDir(reg); }), "Failed to create key Software\\Molvane\\z80");
  EXPECT_EQ(reg.calls, (Calls{"exists Software\\Molvane\\z80", "create Software\\Molvane\\z80"}));
}

TEST(LoadAsmBatDir, PresentKeyThatCannotBeOpenedLeavesItEmptySilently) {
  FakeRegistry reg;
  reg.setValue("Software\\Molvane\\Z80", "asmbatdir", {Kind::String, "x\\"});
  reg.refuseCreate = true;
  EXPECT_EQ(loadAsmBatDir(reg), std::nullopt);
}

TEST(LoadAsmBatDir, WrongValueTypeIsAnError) {
  FakeRegistry reg;
  reg.setValue("Software\\Molvane\\Z80", "asmbatdir", {Kind::WrongType, ""});
  const std::string text = errorOf([&] { loadAsmBatDir(reg); });
  EXPECT_EQ(text, "Invalid data type for 'asmbatdir'");
  EXPECT_EQ(withFullStop(text), text); // no full stop after the quote
}

TEST(LoadDialogFolder, OpensWithTheDialogsSpellingAndReads) {
  FakeRegistry reg;
  EXPECT_EQ(loadDialogFolder(reg), std::nullopt);
  EXPECT_EQ(reg.calls, (Calls{"create Software\\Molvane\\Z80", "read asmbatdir"}));

  reg.setValue("Software\\Molvane\\z80", "asmbatdir", {Kind::String, "%TI%\\bin\\"});
  EXPECT_EQ(loadDialogFolder(reg), "%TI%\\bin\\"); // as stored, not expanded

  reg.setValue("Software\\Molvane\\z80", "asmbatdir", {Kind::WrongType, ""});
  EXPECT_EQ(errorOf([&] { loadDialogFolder(reg); }), "Invalid data type for 'asmbatdir'");

  reg.refuseCreate = true;
  EXPECT_EQ(loadDialogFolder(reg), std::nullopt);
}

TEST(SaveAsmBatDir, WritesOrReportsWhyNot) {
  FakeRegistry reg;
  EXPECT_TRUE(saveAsmBatDir(reg, "e:\\kit\\"));
  ASSERT_NE(reg.value("software\\molvane\\z80", "asmbatdir"), nullptr);
  EXPECT_EQ(reg.value("software\\molvane\\z80", "asmbatdir")->text, "e:\\kit\\");

  reg.refuseWrite = true;
  EXPECT_EQ(errorOf([&] { saveAsmBatDir(reg, "f:\\"); }), "Failed to set data for 'asmbatdir'");
  EXPECT_EQ(reg.value("software\\molvane\\z80", "asmbatdir")->text, "e:\\kit\\");

  reg.refuseCreate = true;
  EXPECT_FALSE(saveAsmBatDir(reg, "g:\\"));
}

} // namespace
} // namespace tavrin
