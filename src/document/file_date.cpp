#include "document/file_date.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace tavrin {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
// 30 December 1899 counted from 1 January 1970.
constexpr std::int64_t kEpochShift = -25'569;

struct CivilDate {
  int year, month, day;
};

// Days since 1 January 1970 of a proleptic Gregorian date, and back.
std::int64_t daysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
  return {y, m, d};
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::string number(int value, int minDigits) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  return digits;
}

std::string formatDate(const CivilDate& date, std::size_t weekDay, const LocaleSettings& locale) {
  const std::string& pattern = locale.shortDate;
  std::string out;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c == '\'' || c == '"') {
      if (c == '\'' && i + 1 < pattern.size() && pattern[i + 1] == '\'') {
        out += '\'', i += 2;
        continue;
      }
      // A quoted literal runs to its closing quote or to the end of the pattern.
      for (++i; i < pattern.size(); ++i) {
        if (pattern[i] != c) {
          out += pattern[i];
        } else if (c == '\'' && i + 1 < pattern.size() && pattern[i + 1] == '\'') {
          out += '\'', ++i;
        } else {
          ++i;
          break;
        }
      }
      continue;
    }
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c)
      ++run;
    const auto month = static_cast<std::size_t>(date.month - 1);
    if (c == 'd') {
      if (run <= 2)
        out += number(date.day, static_cast<int>(run));
      else if (run == 3)
        out += locale.abbreviatedDayNames[weekDay];
      else
        out += locale.dayNames[weekDay];
    } else if (c == 'M') {
      if (run <= 2)
        out += number(date.month, static_cast<int>(run));
      else if (run == 3)
        out += locale.abbreviatedMonthNames[month];
      else
        out += locale.monthNames[month];
    } else if (c == 'y') {
      if (run == 1)
        out += number(date.year % 100, 1);
      else if (run == 2)
        out += number(date.year % 100, 2);
      else
        out += number(date.year, 4);
    } else if (c == '/') {
      for (std::size_t k = 0; k < run; ++k)
        out += locale.dateSeparator;
    } else {
      out.append(run, c);
    }
    i += run;
  }
  return out;
}

std::string formatTime(int hour, int minute, int second, const LocaleSettings& locale) {
  int shownHour = hour;
  if (!locale.clock24) shownHour = hour % 12 == 0 ? 12 : hour % 12;
  std::string time = number(shownHour, locale.leadingZeroHour ? 2 : 1) + locale.timeSeparator +
                     number(minute, 2) + locale.timeSeparator + number(second, 2);
  if (locale.clock24) return time;
  const std::string& mark = hour < 12 ? locale.amDesignator : locale.pmDesignator;
  return locale.markBeforeTime ? mark + " " + time : time + " " + mark;
}

} // namespace

double dosToDateTime(DosStamp stamp) {
  const int year = 1980 + (stamp.date >> 9);
  const int month = (stamp.date >> 5) & 0x0F;
  const int day = stamp.date & 0x1F;
  const int hour = stamp.time >> 11;
  const int minute = (stamp.time >> 5) & 0x3F;
  const int second = (stamp.time & 0x1F) * 2;
  if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour > 23 ||
      minute > 59 || second > 59)
    throw std::invalid_argument("not a DOS date and time");
  const auto days = static_cast<double>(daysFromCivil(year, month, day) - kEpochShift);
  return days + (hour * 3600 + minute * 60 + second) / 86400.0;
}

std::string formatFileDate(double dateTime, const LocaleSettings& locale) {
  // The whole days give the date; the fraction, taken without its sign, the time of day.
  std::int64_t days = static_cast<std::int64_t>(std::trunc(dateTime));
  std::int64_t ms = std::llround(std::fabs(dateTime - std::trunc(dateTime)) * kMsPerDay);
  if (ms >= kMsPerDay) ms -= kMsPerDay, days += dateTime < 0 ? -1 : 1;
  const CivilDate date = civilFromDays(days + kEpochShift);
  // 30 December 1899 was a Saturday.
  const auto weekDay = static_cast<std::size_t>(((days % 7) + 7 + 6) % 7);
  std::string text = formatDate(date, weekDay, locale);
  const int hour = static_cast<int>(ms / 3'600'000);
  const int minute = static_cast<int>(ms / 60'000 % 60);
  const int second = static_cast<int>(ms / 1000 % 60);
  if (hour != 0 || minute != 0 || second != 0)
    text += " " + formatTime(hour, minute, second, locale);
  return text;
}

bool fileExists(FileSystem& fs, const std::string& path) {
  if (path.find_first_of("*?") != std::string::npos) return false;
  try {
    return fs.lastWrite(path).has_value();
  } catch (...) {
    return false;
  }
}

double getFileDate(FileSystem& fs, const std::string& path) {
  if (path.find_first_of("*?") != std::string::npos) return 0;
  try {
    auto stamp = fs.lastWrite(path);
    return stamp ? dosToDateTime(*stamp) : 0;
  } catch (...) {
    return 0;
  }
}

} // namespace tavrin
