// The Windows image files the picture compiler writes: BMP files for the toolbar strips and
// the About banner, and the program's ICO file.
#pragma once

#include "picture_image.h"

#include <cstdint>
#include <vector>

namespace tavrin::pictures {

// A 24-bit bottom-up BMP file; clear pixels become magenta.
std::vector<std::uint8_t> encodeBmp24(const Image& image);

// An 8-bit bottom-up BMP file with a full 256-entry palette (unused entries black).
std::vector<std::uint8_t> encodeBmp8(const IndexedImage& image);

// An icon file: one 32-bit BGRA image with its AND mask per entry, in the given order.
std::vector<std::uint8_t> encodeIco(const std::vector<Image>& images);

} // namespace tavrin::pictures
