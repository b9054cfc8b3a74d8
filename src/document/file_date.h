#pragma once
// File existence, last-write dates and how the status bar shows them.
#include "ports/file_system.h"
#include "ports/locale_settings.h"

#include <string>

namespace tavrin {

// A date-time: days since 30 December 1899, the fraction being the time of day.
// Throws std::invalid_argument for a stamp that names no real date or time.
double dosToDateTime(DosStamp stamp);

// The short date of the locale's pattern, then, unless the time is exactly midnight, a
// space and the program's own long time: h (hh when the locale wants a leading zero),
// minutes and seconds behind the locale's time separator, and on a 12-hour clock the
// designator after the time (before it, when the locale puts it there). In the date
// pattern d, dd, M, MM, y, yy and yyyy are numbers; ddd/dddd and MMM/MMMM are the
// locale's abbreviated and full day and month names; '/' is the locale's date separator;
// text in single or double quotes is copied as it is ('' gives one quote).
std::string formatFileDate(double dateTime, const LocaleSettings& locale);

// A name exists when it names a file (not a folder) whose last-write time fits a DOS
// date, 1980 or later. Names with '*' or '?' never exist.
bool fileExists(FileSystem& fs, const std::string& path);

// The file's last-write time as a local date-time, or 0 when it does not exist or
// anything fails while asking.
double getFileDate(FileSystem& fs, const std::string& path);

} // namespace tavrin
