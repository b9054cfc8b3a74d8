#pragma once
// The user's date and time settings, as the platform's locale gives them. The defaults
// are the English ones.
#include <array>
#include <string>

namespace tavrin {

struct LocaleSettings {
  std::string shortDate = "M/d/yyyy"; // LOCALE_SSHORTDATE
  std::string dateSeparator = "/";    // LOCALE_SDATE
  std::string timeSeparator = ":";    // LOCALE_STIME
  bool leadingZeroHour = false;       // LOCALE_ITLZERO
  bool clock24 = false;               // LOCALE_ITIME
  bool markBeforeTime = false;        // LOCALE_ITIMEMARKPOSN
  std::string amDesignator = "AM";    // LOCALE_S1159
  std::string pmDesignator = "PM";    // LOCALE_S2359
  // January first (LOCALE_SMONTHNAME1..12, LOCALE_SABBREVMONTHNAME1..12).
  std::array<std::string, 12> monthNames = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
  std::array<std::string, 12> abbreviatedMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // Sunday first (LOCALE_SDAYNAME7, then LOCALE_SDAYNAME1..6 for Monday to Saturday;
  // the same for LOCALE_SABBREVDAYNAME).
  std::array<std::string, 7> dayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};
  std::array<std::string, 7> abbreviatedDayNames = {"Sun", "Mon", "Tue", "Wed",
                                                    "Thu", "Fri", "Sat"};
};

} // namespace tavrin
