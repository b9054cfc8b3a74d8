#include "win32/locale_win32.h"

#include <windows.h>

namespace tavrin::win32 {

namespace {
std::string info(LCTYPE type, const std::string& fallback) {
  int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, nullptr, 0);
  if (n <= 0) return fallback;
  std::string out(static_cast<std::size_t>(n), '\0');
  n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, out.data(), n);
  if (n <= 0) return fallback;
  out.resize(static_cast<std::size_t>(n - 1));
  return out;
}
} // namespace

LocaleSettings Win32Locale::read() {
  LocaleSettings s;
  s.shortDate = info(LOCALE_SSHORTDATE, s.shortDate);
  s.dateSeparator = info(LOCALE_SDATE, s.dateSeparator);
  s.timeSeparator = info(LOCALE_STIME, s.timeSeparator);
  s.leadingZeroHour = info(LOCALE_ITLZERO, "0") == "1";
  s.clock24 = info(LOCALE_ITIME, "0") == "1";
  s.markBeforeTime = info(LOCALE_ITIMEMARKPOSN, "0") == "1";
  s.amDesignator = info(LOCALE_S1159, s.amDesignator);
  s.pmDesignator = info(LOCALE_S2359, s.pmDesignator);
  return s;
}

} // namespace tavrin::win32
