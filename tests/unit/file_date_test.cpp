#include "document/file_date.h"
#include "fakes/fake_file_system.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using tavrin::DosStamp;
using tavrin::LocaleSettings;

DosStamp stamp(int y, int mo, int d, int h, int mi, int s) {
  return {static_cast<std::uint16_t>(((y - 1980) << 9) | (mo << 5) | d),
          static_cast<std::uint16_t>((h << 11) | (mi << 5) | (s / 2))};
}

double at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return tavrin::dosToDateTime(stamp(y, mo, d, h, mi, s));
}

LocaleSettings enUS() {
  return {};
}

LocaleSettings deDE() {
  LocaleSettings l;
  l.shortDate = "dd.MM.yyyy";
  l.dateSeparator = ".";
  l.leadingZeroHour = true;
  l.clock24 = true;
  return l;
}

LocaleSettings markFirst() {
  LocaleSettings l;
  l.shortDate = "yyyy/MM/dd";
  l.dateSeparator = "-";
  l.markBeforeTime = true;
  l.amDesignator = "a.m.";
  l.pmDesignator = "p.m.";
  return l;
}

LocaleSettings finnish() {
  LocaleSettings l;
  l.shortDate = "d.M.yyyy";
  l.dateSeparator = ".";
  l.timeSeparator = ".";
  l.clock24 = true;
  return l;
}

// Names as a German locale gives them in code page 1252; no abbreviation is the name's
// first three letters.
LocaleSettings german(const char* shortDate) {
  LocaleSettings l = deDE();
  l.shortDate = shortDate;
  l.monthNames = {"Januar", "Februar", "M\xe4rz",   "April",   "Mai",      "Juni",
                  "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
  l.abbreviatedMonthNames = {"Jan.", "Feb.", "Mrz.", "Apr.", "Mai",  "Juni",
                             "Juli", "Aug.", "Sep.", "Okt.", "Nov.", "Dez."};
  l.dayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
  l.abbreviatedDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  return l;
}

TEST(FileDate, DosStampsBecomeDaysSince30December1899) {
  EXPECT_DOUBLE_EQ(at(1980, 1, 1), 29221.0);
  EXPECT_DOUBLE_EQ(at(2024, 3, 5, 14, 7, 8), 45356.0 + (14 * 3600 + 7 * 60 + 8) / 86400.0);
  EXPECT_DOUBLE_EQ(at(2000, 2, 29, 23, 59, 58), 36585.0 + 86398 / 86400.0);
  EXPECT_THROW(tavrin::dosToDateTime(stamp(2023, 2, 29, 0, 0, 0)), std::invalid_argument);
  EXPECT_THROW(tavrin::dosToDateTime(stamp(2023, 13, 1, 0, 0, 0)), std::invalid_argument);
  EXPECT_THROW(tavrin::dosToDateTime(stamp(2023, 1, 0, 0, 0, 0)), std::invalid_argument);
  EXPECT_THROW(tavrin::dosToDateTime(stamp(2023, 1, 1, 24, 0, 0)), std::invalid_argument);
}

TEST(FileDate, DisplayFollowsTheLocale) {
  struct Case {
    const char* name;
    LocaleSettings locale;
    double dateTime;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {"en-US afternoon", enUS(), at(2024, 3, 5, 14, 7, 8), "3/5/2024 2:07:08 PM"},
      {"en-US morning", enUS(), at(2024, 11, 25, 9, 30, 0), "11/25/2024 9:30:00 AM"},
      {"en-US half past midnight", enUS(), at(2024, 3, 5, 0, 30, 0), "3/5/2024 12:30:00 AM"},
      {"en-US noon", enUS(), at(2024, 3, 5, 12, 0, 2), "3/5/2024 12:00:02 PM"},
      {"en-US midnight", enUS(), at(2024, 3, 5), "3/5/2024"},
      {"en-US zero", enUS(), 0.0, "12/30/1899"},
      {"de-DE", deDE(), at(2024, 3, 5, 4, 7, 8), "05.03.2024 04:07:08"},
      {"de-DE evening", deDE(), at(1999, 12, 31, 23, 59, 58), "31.12.1999 23:59:58"},
      {"de-DE midnight", deDE(), at(2024, 3, 5), "05.03.2024"},
      {"de-DE zero", deDE(), 0.0, "30.12.1899"},
      {"mark before time", markFirst(), at(2024, 3, 5, 14, 7, 8), "2024-03-05 p.m. 2:07:08"},
      {"mark before time, morning", markFirst(), at(2024, 3, 5, 1, 0, 0),
       "2024-03-05 a.m. 1:00:00"},
      {"time separator", finnish(), at(2024, 3, 5, 14, 7, 8), "5.3.2024 14.07.08"},
      {"de-DE names", german("dddd, d. MMMM yyyy"), at(2024, 3, 5, 14, 7, 8),
       "Dienstag, 5. M\xe4rz 2024 14:07:08"},
      {"de-DE abbreviations", german("ddd d. MMM yy"), at(2024, 3, 5), "Di 5. Mrz. 24"},
      {"de-DE Sunday in January", german("dddd d. MMMM"), at(2023, 1, 1), "Sonntag 1. Januar"},
      {"de-DE Saturday in December", german("ddd/MMM"), at(2023, 12, 30), "Sa.Dez."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(tavrin::formatFileDate(c.dateTime, c.locale), c.shown);
  }
}

TEST(FileDate, ShortDatePatternsWithNamesAndLiterals) {
  struct Case {
    std::string pattern, shown;
  };
  const std::vector<Case> cases = {
      {"dddd, MMMM d, yyyy", "Tuesday, March 5, 2024"},
      {"ddd dd MMM yy", "Tue 05 Mar 24"},
      {"d 'de' MMMM 'de' yyyy", "5 de March de 2024"},
      {"\"x/\"d", "x/5"},
      {"d''M", "5'3"},
      {"'it''s' d", "it's 5"},
      {"y/M/d", "24-3-5"},
      {"'open", "open"},
  };
  LocaleSettings locale;
  locale.dateSeparator = "-";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    locale.shortDate = c.pattern;
    EXPECT_EQ(tavrin::formatFileDate(at(2024, 3, 5), locale), c.shown);
  }
  locale.shortDate = "y yy dddd";
  EXPECT_EQ(tavrin::formatFileDate(at(2005, 1, 2), locale), "5 05 Sunday");
  EXPECT_EQ(tavrin::formatFileDate(0.0, locale), "99 99 Saturday");
}

class FileDateOnDisk : public ::testing::Test {
protected:
  tavrin::fakes::FakeFileSystem fs;
  void SetUp() override {
    fs.files["a.z80"] = "ret";
    fs.stamps["a.z80"] = stamp(2024, 3, 5, 14, 7, 8);
  }
};

TEST_F(FileDateOnDisk, ExistingFileHasItsDate) {
  EXPECT_TRUE(tavrin::fileExists(fs, "a.z80"));
  EXPECT_DOUBLE_EQ(tavrin::getFileDate(fs, "a.z80"), at(2024, 3, 5, 14, 7, 8));
}

TEST_F(FileDateOnDisk, MissingFoldersOldFilesAndWildcardsCountAsMissing) {
  fs.folders.insert("C:\\src");
  fs.files["old.z80"] = "ret";
  fs.before1980.insert("old.z80");
  for (std::string name : {"missing.z80", "C:\\src", "old.z80", "*.z80", "a.z8?", "a.z80*"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(tavrin::fileExists(fs, name));
    EXPECT_EQ(tavrin::getFileDate(fs, name), 0.0);
  }
}

TEST_F(FileDateOnDisk, FailuresGiveZero) {
  fs.stamps["a.z80"] = DosStamp{static_cast<std::uint16_t>((44 << 9) | (2 << 5) | 30), 0};
  EXPECT_EQ(tavrin::getFileDate(fs, "a.z80"), 0.0);
  fs.failStamps = true;
  EXPECT_EQ(tavrin::getFileDate(fs, "a.z80"), 0.0);
  EXPECT_FALSE(tavrin::fileExists(fs, "a.z80"));
}

} // namespace
