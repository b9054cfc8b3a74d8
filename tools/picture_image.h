// The pixels the picture compiler works on: colours with a clear flag, whole images, and
// images of palette indices for the 8-bit bitmap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin::pictures {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Magenta: the clear colour of the bitmaps, so the source may not draw with it.
constexpr Rgba kClearKey{255, 0, 255, 255};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels; // row by row, top row first

  Image() = default;
  Image(int w, int h, Rgba fill = {}) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  Rgba& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
  const Rgba& at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> palette;         // at most 256 entries
  std::vector<std::uint8_t> indices; // row by row, top row first
};

} // namespace tavrin::pictures
