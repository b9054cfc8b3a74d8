#pragma once
// The LocaleSource port on GetLocaleInfoA for the user's locale.
#include "ports/locale_settings.h"

namespace tavrin::win32 {

class Win32Locale : public LocaleSource {
public:
  LocaleSettings read() override;
};

} // namespace tavrin::win32
