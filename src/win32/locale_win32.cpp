#include "win32/locale_win32.h"

#include <cstddef>

namespace tavrin::win32 {

namespace {

std::string info(LCID locale, LCTYPE type, const std::string& fallback) {
  int n = GetLocaleInfoA(locale, type, nullptr, 0);
  if (n <= 0) return fallback;
  std::string out(static_cast<std::size_t>(n), '\0');
  n = GetLocaleInfoA(locale, type, out.data(), n);
  if (n <= 0) return fallback;
  out.resize(static_cast<std::size_t>(n - 1));
  return out;
}

// Names numbered one after another from `first`, the first of them at index 0.
template <std::size_t N>
void readNames(LCID locale, LCTYPE first, std::array<std::string, N>& names) {
  for (std::size_t i = 0; i < N; ++i)
    names[i] = info(locale, first + static_cast<LCTYPE>(i), names[i]);
}

// LOCALE_SDAYNAME1 and LOCALE_SABBREVDAYNAME1 are Monday; the settings keep Sunday first.
void readDayNames(LCID locale, LCTYPE monday, std::array<std::string, 7>& names) {
  for (std::size_t i = 0; i < 7; ++i) {
    std::string& name = names[(i + 1) % 7];
    name = info(locale, monday + static_cast<LCTYPE>(i), name);
  }
}

} // namespace

LocaleSettings Win32Locale::read() const {
  LocaleSettings s;
  s.shortDate = info(locale_, LOCALE_SSHORTDATE, s.shortDate);
  s.dateSeparator = info(locale_, LOCALE_SDATE, s.dateSeparator);
  s.timeSeparator = info(locale_, LOCALE_STIME, s.timeSeparator);
  s.leadingZeroHour = info(locale_, LOCALE_ITLZERO, "0") == "1";
  s.clock24 = info(locale_, LOCALE_ITIME, "0") == "1";
  s.markBeforeTime = info(locale_, LOCALE_ITIMEMARKPOSN, "0") == "1";
  s.amDesignator = info(locale_, LOCALE_S1159, s.amDesignator);
  s.pmDesignator = info(locale_, LOCALE_S2359, s.pmDesignator);
  readNames(locale_, LOCALE_SMONTHNAME1, s.monthNames);
  readNames(locale_, LOCALE_SABBREVMONTHNAME1, s.abbreviatedMonthNames);
  readDayNames(locale_, LOCALE_SDAYNAME1, s.dayNames);
  readDayNames(locale_, LOCALE_SABBREVDAYNAME1, s.abbreviatedDayNames);
  return s;
}

} // namespace tavrin::win32
