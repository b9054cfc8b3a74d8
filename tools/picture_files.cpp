#include "picture_files.h"

#include <cstddef>
#include <utility>

namespace tavrin::pictures {
namespace {

void putU16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(std::uint8_t(v >> (8 * i)));
}

// BITMAPINFOHEADER without a palette.
void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits,
                   std::uint32_t imageSize, std::uint32_t coloursUsed) {
  putU32(out, 40);
  putU32(out, std::uint32_t(width));
  putU32(out, std::uint32_t(height));
  putU16(out, 1);
  putU16(out, unsigned(bits));
  putU32(out, 0); // BI_RGB
  putU32(out, imageSize);
  putU32(out, 2835); // 72 dots per inch
  putU32(out, 2835);
  putU32(out, coloursUsed);
  putU32(out, 0);
}

void putFileHeader(std::vector<std::uint8_t>& out, std::uint32_t fileSize,
                   std::uint32_t pixelOffset) {
  out.push_back('B');
  out.push_back('M');
  putU32(out, fileSize);
  putU32(out, 0);
  putU32(out, pixelOffset);
}

// One entry's image in an icon file: its header, the colour image bottom-up, then the AND
// mask, whose set bits are the clear pixels.
std::vector<std::uint8_t> iconImage(const Image& image) {
  std::vector<std::uint8_t> body;
  std::uint32_t maskStride = ((std::uint32_t(image.width) + 31) / 32) * 4;
  std::uint32_t xorSize = std::uint32_t(image.width) * image.height * 4;
  std::uint32_t andSize = maskStride * std::uint32_t(image.height);
  // The height counts the colour image and the mask together.
  putInfoHeader(body, image.width, image.height * 2, 32, xorSize + andSize, 0);
  for (int y = image.height - 1; y >= 0; --y)
    for (int x = 0; x < image.width; ++x) {
      const Rgba& p = image.at(x, y);
      if (p.a == 0)
        body.insert(body.end(), {0, 0, 0, 0});
      else
        body.insert(body.end(), {p.b, p.g, p.r, p.a});
    }
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < image.width; ++x)
      if (image.at(x, y).a == 0) row[std::size_t(x) / 8] |= std::uint8_t(0x80 >> (x % 8));
    body.insert(body.end(), row.begin(), row.end());
  }
  return body;
}

} // namespace

std::vector<std::uint8_t> encodeBmp24(const Image& image) {
  std::uint32_t stride = (std::uint32_t(image.width) * 3 + 3) & ~3u;
  std::uint32_t imageSize = stride * std::uint32_t(image.height);
  std::vector<std::uint8_t> out;
  putFileHeader(out, 54 + imageSize, 54);
  putInfoHeader(out, image.width, image.height, 24, imageSize, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    std::size_t rowStart = out.size();
    for (int x = 0; x < image.width; ++x) {
      Rgba p = image.at(x, y).a == 0 ? kClearKey : image.at(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    out.resize(rowStart + stride, 0);
  }
  return out;
}

std::vector<std::uint8_t> encodeBmp8(const IndexedImage& image) {
  std::uint32_t stride = (std::uint32_t(image.width) + 3) & ~3u;
  std::uint32_t imageSize = stride * std::uint32_t(image.height);
  std::uint32_t offset = 14 + 40 + 256 * 4;
  std::vector<std::uint8_t> out;
  putFileHeader(out, offset + imageSize, offset);
  putInfoHeader(out, image.width, image.height, 8, imageSize, 256);
  for (std::size_t c = 0; c < 256; ++c) {
    Rgba p = c < image.palette.size() ? image.palette[c] : Rgba{};
    out.insert(out.end(), {p.b, p.g, p.r, 0});
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::size_t rowStart = out.size();
    for (int x = 0; x < image.width; ++x)
      out.push_back(image.indices[std::size_t(y) * image.width + x]);
    out.resize(rowStart + stride, 0);
  }
  return out;
}

std::vector<std::uint8_t> encodeIco(const std::vector<Image>& images) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const Image& image : images)
    bodies.push_back(iconImage(image));

  std::vector<std::uint8_t> out;
  putU16(out, 0);
  putU16(out, 1); // icon
  putU16(out, unsigned(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (std::size_t n = 0; n < images.size(); ++n) {
    out.push_back(std::uint8_t(images[n].width >= 256 ? 0 : images[n].width));
    out.push_back(std::uint8_t(images[n].height >= 256 ? 0 : images[n].height));
    out.push_back(0); // no palette
    out.push_back(0);
    putU16(out, 1);  // planes
    putU16(out, 32); // bits per pixel
    putU32(out, std::uint32_t(bodies[n].size()));
    putU32(out, offset);
    offset += std::uint32_t(bodies[n].size());
  }
  for (const auto& body : bodies)
    out.insert(out.end(), body.begin(), body.end());
  return out;
}

} // namespace tavrin::pictures
