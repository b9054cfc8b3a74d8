#pragma once
// The user's locale settings, read with GetLocaleInfoA.
#include "ports/locale_settings.h"

namespace tavrin::win32 {

class Win32Locale {
public:
  LocaleSettings read();
};

} // namespace tavrin::win32
