#pragma once
// The About dialog's banner: the picture across its top (a dark band when the picture
// can't be loaded), with the version text drawn straight onto it in white.
#include <windows.h>

namespace tavrin {

// Registers the banner's window class, "TAboutBanner", which the About template names.
void registerAboutBanner();
// Shows picture on the banner (not owned) and puts the version text, a label with the
// given id and font, at its bottom right.
void setUpAboutBanner(HWND banner, HBITMAP picture, int versionId, const char* version, HFONT font);

} // namespace tavrin
