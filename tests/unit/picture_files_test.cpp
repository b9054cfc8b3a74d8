// The BMP and ICO files, read back at the offsets Windows reads them at.
#include "picture_files.h"
#include "picture_error.h"
#include "picture_operations.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace pic = tavrin::pictures;

namespace {

std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
unsigned u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return unsigned(b[at]) | unsigned(b[at + 1]) << 8;
}

} // namespace

TEST(PictureFiles, Bmp24IsBottomUpWithMagentaForClear) {
  pic::Image image(3, 2);
  image.at(0, 0) = {10, 20, 30, 255}; // top left
  image.at(2, 1) = {40, 50, 60, 255}; // bottom right; the rest is clear
  auto bmp = pic::encodeBmp24(image);
  const std::size_t stride = 12; // 9 bytes padded to 12
  ASSERT_EQ(bmp.size(), 54 + 2 * stride);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(u32At(bmp, 2), bmp.size());
  EXPECT_EQ(u32At(bmp, 10), 54u);
  EXPECT_EQ(u32At(bmp, 18), 3u);
  EXPECT_EQ(u32At(bmp, 22), 2u);
  EXPECT_EQ(u16At(bmp, 28), 24u);
  // The first stored row is the bottom one: clear, clear, then the pixel in BGR.
  EXPECT_EQ((std::vector<std::uint8_t>(bmp.begin() + 54, bmp.begin() + 63)),
            (std::vector<std::uint8_t>{255, 0, 255, 255, 0, 255, 60, 50, 40}));
  EXPECT_EQ(bmp[54 + stride], 30);
  EXPECT_EQ(bmp[54 + stride + 2], 10);
}

TEST(PictureFiles, Bmp8HasFullPaletteAndIndices) {
  pic::Image image(5, 1, {0, 0, 0, 255});
  image.at(4, 0) = {200, 100, 50, 255};
  pic::IndexedImage indexed = pic::indexColours(image);
  ASSERT_EQ(indexed.palette.size(), 2u);
  auto bmp = pic::encodeBmp8(indexed);
  const std::size_t pixels = 54 + 1024;
  ASSERT_EQ(bmp.size(), pixels + 8); // 5 bytes padded to 8
  EXPECT_EQ(u32At(bmp, 10), pixels);
  EXPECT_EQ(u16At(bmp, 28), 8u);
  EXPECT_EQ(u32At(bmp, 46), 256u);
  EXPECT_EQ((std::vector<std::uint8_t>(bmp.begin() + 58, bmp.begin() + 62)),
            (std::vector<std::uint8_t>{50, 100, 200, 0}));
  EXPECT_EQ(bmp[pixels + 4], 1);
  EXPECT_EQ(bmp[pixels + 3], 0);
}

TEST(PictureFiles, IndexingRefusesMoreThan256Colours) {
  pic::Image image(257, 1);
  for (int x = 0; x < 257; ++x)
    image.at(x, 0) = {std::uint8_t(x), std::uint8_t(x >> 8), 0, 255};
  EXPECT_THROW(pic::indexColours(image), pic::FormatError);
}

TEST(PictureFiles, IconHasDirectoryColourAndMask) {
  pic::Image big(32, 32, {1, 2, 3, 255}), small(16, 16, {4, 5, 6, 255});
  small.at(0, 15) = {}; // bottom left clear
  auto ico = pic::encodeIco({big, small});
  ASSERT_EQ(u16At(ico, 2), 1u);
  ASSERT_EQ(u16At(ico, 4), 2u);
  // Second directory entry: 16 x 16, 32 bits, its image right after the first.
  const std::size_t entry = 6 + 16;
  EXPECT_EQ(ico[entry], 16);
  EXPECT_EQ(u16At(ico, entry + 6), 32u);
  std::uint32_t size = u32At(ico, entry + 8), offset = u32At(ico, entry + 12);
  EXPECT_EQ(size, 40u + 16 * 16 * 4 + 16 * 4);
  EXPECT_EQ(offset, u32At(ico, 6 + 12) + u32At(ico, 6 + 8));
  EXPECT_EQ(offset + size, ico.size());
  EXPECT_EQ(u32At(ico, offset + 8), 32u); // colour and mask heights together
  // Bottom row first: the clear pixel is transparent black and its mask bit is set.
  std::size_t colour = offset + 40, mask = colour + 16 * 16 * 4;
  EXPECT_EQ(u32At(ico, colour), 0u);
  EXPECT_EQ(
      (std::vector<std::uint8_t>(ico.begin() + long(colour) + 4, ico.begin() + long(colour) + 8)),
      (std::vector<std::uint8_t>{6, 5, 4, 255}));
  EXPECT_EQ(ico[mask], 0x80);
  EXPECT_EQ(ico[mask + 4], 0x00);
}
