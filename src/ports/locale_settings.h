#pragma once
// The user's date and time settings, as the platform's locale gives them.
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
};

} // namespace tavrin
