// The fonts of the help file: their indices, which the paragraph records name, and the
// |FONT internal file that describes them to the viewer.
#pragma once

#include <cstdint>
#include <vector>

namespace tavrin::help::detail {

// The fonts of |FONT, by index.
enum Font : std::uint16_t { kFontText = 0, kFontTitle = 1, kFontCode = 2, kFontHeading = 3 };

// |FONT: the face names, then one descriptor per Font.
std::vector<std::uint8_t> fontFile();

} // namespace tavrin::help::detail
