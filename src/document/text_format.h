#pragma once
// The text of a source file as the editor holds it.
#include <string>
#include <string_view>

namespace tavrin {

// The file's bytes with every line break made CR LF: CR LF stays, a lone CR or a lone
// LF becomes CR LF (so LF CR gives two breaks). Nothing else changes. One pass over
// the bytes into a buffer reserved once; a file whose breaks are all CR LF already
// comes back as it is, without a copy.
std::string toEditorText(std::string fileBytes);

// True when the bytes hold a NUL character, which the editor would cut the text at.
bool holdsNul(std::string_view bytes);

} // namespace tavrin
