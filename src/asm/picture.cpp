#include "asm/picture.h"

#include <cstdlib>

namespace tavasm {
namespace {

constexpr int kMaxSide = 4096;

std::uint32_t little(const std::string& s, size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
  return v;
}

bool dark(unsigned r, unsigned g, unsigned b) {
  return 0.2126 * r + 0.7152 * g + 0.0722 * b < 0.49 * 255;
}

} // namespace

Picture readPicture(const std::string& f) {
  Picture p;
  auto fail = [&](const std::string& why) {
    p.error = why;
    p.bytes.clear();
    return p;
  };
  // The file header (14 bytes), then an information header of at least 40.
  if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') return fail("it is not a BMP picture");
  const std::uint32_t pixels = little(f, 10, 4);
  const std::uint32_t info = little(f, 14, 4);
  if (info < 40 || 14 + info > f.size()) return fail("its BMP header is cut short");
  const auto width = static_cast<std::int32_t>(little(f, 18, 4));
  const auto height = static_cast<std::int32_t>(little(f, 22, 4));
  const unsigned bits = little(f, 28, 2);
  const std::uint32_t compression = little(f, 30, 4);
  if (width <= 0 || height == 0 || width > kMaxSide || std::abs(height) > kMaxSide)
    return fail("it is " + std::to_string(width) + " by " + std::to_string(std::abs(height)) +
                " pixels; a picture is 1 to " + std::to_string(kMaxSide) + " pixels a side");
  if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
    return fail("only uncompressed BMP pictures of 1, 4, 8, 24 or 32 bits a pixel are read");
  const bool topDown = height < 0;
  p.width = width;
  p.height = std::abs(height);
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  if (pixels > f.size() || stride * static_cast<size_t>(p.height) > f.size() - pixels)
    return fail("its pixels are cut short");
  const size_t palette = 14 + info;
  size_t colours = little(f, 46, 4);
  if (bits <= 8 && colours == 0) colours = size_t{1} << bits;
  if (bits <= 8 && palette + 4 * colours > pixels) return fail("its palette is cut short");

  const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
  p.bytes.assign(rowBytes * static_cast<size_t>(p.height), 0);
  for (int y = 0; y < p.height; ++y) {
    const size_t row = pixels + stride * static_cast<size_t>(topDown ? y : p.height - 1 - y);
    for (int x = 0; x < width; ++x) {
      unsigned r = 0, g = 0, b = 0;
      if (bits <= 8) {
        const size_t bit = static_cast<size_t>(x) * bits;
        const unsigned byte = static_cast<unsigned char>(f[row + bit / 8]);
        const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= colours) return fail("a pixel names a colour the palette lacks");
        const size_t c = palette + 4 * index;
        b = static_cast<unsigned char>(f[c]), g = static_cast<unsigned char>(f[c + 1]),
        r = static_cast<unsigned char>(f[c + 2]);
      } else {
        const size_t c = row + static_cast<size_t>(x) * (bits / 8);
        b = static_cast<unsigned char>(f[c]), g = static_cast<unsigned char>(f[c + 1]),
        r = static_cast<unsigned char>(f[c + 2]);
      }
      if (dark(r, g, b))
        p.bytes[rowBytes * static_cast<size_t>(y) + static_cast<size_t>(x) / 8] |=
            static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return p;
}

} // namespace tavasm
