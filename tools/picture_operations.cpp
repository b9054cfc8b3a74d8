#include "picture_operations.h"

#include "picture_error.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace tavrin::pictures {

Image strip(const std::vector<Image>& pictures) {
  int width = 0, height = 0;
  for (const Image& p : pictures) {
    width += p.width;
    height = std::max(height, p.height);
  }
  Image out(width, height);
  int left = 0;
  for (const Image& p : pictures) {
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        out.at(left + x, y) = p.at(x, y);
    left += p.width;
  }
  return out;
}

Image greyed(const Image& image) {
  Image out = image;
  for (Rgba& p : out.pixels) {
    if (p.a == 0) continue;
    int luminance = (299 * p.r + 587 * p.g + 114 * p.b) / 1000;
    auto v = std::uint8_t(luminance + (255 - luminance) * 45 / 100);
    p = Rgba{v, v, v, 255};
  }
  return out;
}

IndexedImage indexColours(const Image& image) {
  IndexedImage out{image.width, image.height, {}, {}};
  std::map<std::uint32_t, std::uint8_t> seen;
  out.indices.reserve(image.pixels.size());
  for (const Rgba& p : image.pixels) {
    std::uint32_t key = std::uint32_t(p.r) << 16 | std::uint32_t(p.g) << 8 | p.b;
    auto found = seen.find(key);
    if (found == seen.end()) {
      if (out.palette.size() == 256) throw FormatError(0, "more than 256 colours in one bitmap");
      found = seen.emplace(key, std::uint8_t(out.palette.size())).first;
      out.palette.push_back(Rgba{p.r, p.g, p.b, 255});
    }
    out.indices.push_back(found->second);
  }
  return out;
}

} // namespace tavrin::pictures
