#pragma once
// Locale settings given by the test.
#include "ports/locale_settings.h"

namespace tavrin::fakes {

class FakeLocale : public LocaleSource {
public:
  LocaleSettings settings;
  int reads = 0;

  LocaleSettings read() override {
    ++reads;
    return settings;
  }
};

} // namespace tavrin::fakes
