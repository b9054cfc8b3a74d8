// What the picture compiler does to images before it writes them: the toolbar strip, its
// disabled look, and the palette of the 8-bit bitmap.
#pragma once

#include "picture_image.h"

#include <vector>

namespace tavrin::pictures {

// The pictures side by side, left to right.
Image strip(const std::vector<Image>& pictures);

// The disabled look: each pixel's luminance, lifted towards white. Clear stays clear.
Image greyed(const Image& image);

// Gives each distinct colour of an opaque image a palette entry; throws FormatError past 256.
IndexedImage indexColours(const Image& image);

} // namespace tavrin::pictures
