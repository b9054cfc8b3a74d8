// The date display: any stamp, any locale settings. Impossible stamps are refused with
// std::invalid_argument; every real one shows its own fields again.
#include "document/file_date.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

tavrin::LocaleSettings fuzzedLocale(FuzzedDataProvider& in) {
  tavrin::LocaleSettings l;
  l.shortDate = in.ConsumeRandomLengthString(40);
  l.dateSeparator = in.ConsumeRandomLengthString(4);
  l.timeSeparator = in.ConsumeRandomLengthString(4);
  l.leadingZeroHour = in.ConsumeBool();
  l.clock24 = in.ConsumeBool();
  l.markBeforeTime = in.ConsumeBool();
  l.amDesignator = in.ConsumeRandomLengthString(8);
  l.pmDesignator = in.ConsumeRandomLengthString(8);
  return l;
}

// The stamp's fields as a pattern that numbers everything with leading zeros shows them.
std::string expectedFields(tavrin::DosStamp s) {
  char buffer[64];
  const int hour = s.time >> 11, minute = (s.time >> 5) & 0x3F, second = (s.time & 0x1F) * 2;
  std::snprintf(buffer, sizeof buffer, "%04d|%02d|%02d", 1980 + (s.date >> 9), (s.date >> 5) & 0x0F,
                s.date & 0x1F);
  std::string out = buffer;
  if (hour || minute || second) {
    std::snprintf(buffer, sizeof buffer, " %02d.%02d.%02d", hour, minute, second);
    out += buffer;
  }
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const tavrin::DosStamp stamp{in.ConsumeIntegral<std::uint16_t>(),
                               in.ConsumeIntegral<std::uint16_t>()};
  // Any date-time from year 1 to 9999, the range the date display covers.
  const double any = in.ConsumeFloatingPointInRange(-693593.0, 2958465.99999);
  const tavrin::LocaleSettings locale = fuzzedLocale(in);

  (void)tavrin::formatFileDate(any, locale);
  (void)tavrin::formatFileDate(0, locale);
  double dateTime = 0;
  try {
    dateTime = tavrin::dosToDateTime(stamp);
  } catch (const std::invalid_argument&) {
    return 0;
  }
  (void)tavrin::formatFileDate(dateTime, locale);

  tavrin::LocaleSettings plain;
  plain.shortDate = "yyyy'|'MM'|'dd";
  plain.timeSeparator = ".";
  plain.leadingZeroHour = true;
  plain.clock24 = true;
  if (tavrin::formatFileDate(dateTime, plain) != expectedFields(stamp)) std::abort();
  return 0;
}
