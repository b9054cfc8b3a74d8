#pragma once
// The user's locale settings, read with GetLocaleInfoA.
#include "ports/locale_settings.h"

#include <windows.h>

namespace tavrin::win32 {

class Win32Locale {
public:
  // The user's locale unless told another.
  explicit Win32Locale(LCID locale = LOCALE_USER_DEFAULT) : locale_(locale) {}
  // Each setting the locale can't give keeps its default.
  LocaleSettings read() const;

private:
  LCID locale_;
};

} // namespace tavrin::win32
