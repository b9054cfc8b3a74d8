// The locale settings are the ones GetLocaleInfoA gives, day names Sunday first.
#include "win32/locale_win32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::string localeInfo(LCID locale, LCTYPE type) {
  std::string text(static_cast<std::size_t>(GetLocaleInfoA(locale, type, nullptr, 0)), '\0');
  if (text.empty() || GetLocaleInfoA(locale, type, text.data(), static_cast<int>(text.size())) <= 0)
    return "(not given)";
  text.pop_back();
  return text;
}

void expectNamesOf(LCID locale, const tavrin::LocaleSettings& s) {
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE("month " + std::to_string(i + 1));
    EXPECT_EQ(s.monthNames[i], localeInfo(locale, LOCALE_SMONTHNAME1 + i));
    EXPECT_EQ(s.abbreviatedMonthNames[i], localeInfo(locale, LOCALE_SABBREVMONTHNAME1 + i));
  }
  // LOCALE_SDAYNAME1 is Monday.
  const LCTYPE days[] = {LOCALE_SDAYNAME7, LOCALE_SDAYNAME1, LOCALE_SDAYNAME2, LOCALE_SDAYNAME3,
                         LOCALE_SDAYNAME4, LOCALE_SDAYNAME5, LOCALE_SDAYNAME6};
  const LCTYPE shortDays[] = {LOCALE_SABBREVDAYNAME7, LOCALE_SABBREVDAYNAME1,
                              LOCALE_SABBREVDAYNAME2, LOCALE_SABBREVDAYNAME3,
                              LOCALE_SABBREVDAYNAME4, LOCALE_SABBREVDAYNAME5,
                              LOCALE_SABBREVDAYNAME6};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE("day " + std::to_string(i));
    EXPECT_EQ(s.dayNames[i], localeInfo(locale, days[i]));
    EXPECT_EQ(s.abbreviatedDayNames[i], localeInfo(locale, shortDays[i]));
  }
}

TEST(Win32Locale, NamesAreTheUsersLocales) {
  const tavrin::LocaleSettings s = tavrin::win32::Win32Locale().read();
  expectNamesOf(LOCALE_USER_DEFAULT, s);
  EXPECT_EQ(s.shortDate, localeInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE));
}

// Another locale's names, not the English ones the settings start with.
TEST(Win32Locale, NamesAreThoseOfTheLocaleRead) {
  const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
  const tavrin::LocaleSettings s = tavrin::win32::Win32Locale(german).read();
  expectNamesOf(german, s);
  const tavrin::LocaleSettings english;
  EXPECT_NE(s.monthNames[2], english.monthNames[2]);
  EXPECT_NE(s.abbreviatedDayNames[2], english.abbreviatedDayNames[2]);
  EXPECT_EQ(s.dayNames[0], localeInfo(german, LOCALE_SDAYNAME7)); // Sunday
}

} // namespace
