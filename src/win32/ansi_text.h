#pragma once
// The program's text is ANSI, in the system's code page; the editor control keeps UTF-16.
// Both directions convert plain ASCII text (what a Z80 source mostly is) in one pass of
// their own and leave any other text to the system's code page conversion.
#include <windows.h>

#include <string>
#include <string_view>

namespace tavrin::win32 {

// The number of UTF-16 units the ANSI text becomes.
std::size_t wideLength(std::string_view ansi);
// Writes the text as UTF-16 to `out`, which has room for `room` = wideLength(ansi) units.
void toWide(std::string_view ansi, wchar_t* out, std::size_t room);
std::wstring toWide(std::string_view ansi);
// UTF-16 back to ANSI; a character the code page lacks becomes its default character.
std::string toAnsi(std::wstring_view wide);

// True when the text converts to UTF-16 and back unchanged in the code page: every byte
// sequence is a character of it, and the one code it comes back as; always true in a
// code page of one byte per character. Throws Error(kTextExceedsMemo) for a text beyond what the
// conversions take.
bool validInCodePage(std::string_view ansi, unsigned codePage);

} // namespace tavrin::win32
