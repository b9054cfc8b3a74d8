#include "../../tools/picture_format.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace pic = tavrin::pictures;

namespace {

std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
unsigned u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return unsigned(b[at]) | unsigned(b[at + 1]) << 8;
}

std::string rows(int count, int size, char c) {
  std::string out;
  for (int i = 0; i < count; ++i)
    out += std::string(std::size_t(size), c) + "\n";
  return out;
}

// A complete, valid source: every picture and both icons, each filled with one character.
std::string validSource(char fill = 'k') {
  std::string s = "# test\ncolour . none\ncolour k 000000\ncolour w FFFFFF\n";
  for (std::string_view name : pic::kPictureNames)
    s += "picture " + std::string(name) + "\n" + rows(16, 16, fill);
  s += "icon 32\n" + rows(32, 32, fill) + "icon 16\n" + rows(16, 16, fill);
  return s;
}

std::string replaceOnce(std::string s, const std::string& from, const std::string& to) {
  auto at = s.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return s.replace(at, from.size(), to);
}

} // namespace

TEST(PictureSource, ReadsPicturesIconsAndPalette) {
  std::string source = replaceOnce(validSource(), "picture open\n" + std::string(16, 'k'),
                                   "picture open\n.wk" + std::string(13, 'k'));
  pic::PictureSet set = pic::parsePictureSource(source);
  ASSERT_EQ(set.pictures.size(), std::size_t(PIC_COUNT));
  EXPECT_EQ(set.icons.at(16).width, 16);
  EXPECT_EQ(set.icons.at(32).height, 32);
  const pic::Image& open = set.pictures[PIC_OPEN];
  EXPECT_EQ(open.at(0, 0).a, 0);
  EXPECT_EQ(open.at(1, 0), (pic::Rgba{255, 255, 255, 255}));
  EXPECT_EQ(open.at(2, 0), (pic::Rgba{0, 0, 0, 255}));
  EXPECT_EQ(set.pictures[PIC_NEW].at(0, 0), (pic::Rgba{0, 0, 0, 255}));
}

TEST(PictureSource, AcceptsWindowsLineEndsAndTrailingBlanks) {
  std::string source = validSource();
  std::string crlf;
  for (char c : source)
    crlf += c == '\n' ? std::string(" \r\n") : std::string(1, c);
  EXPECT_EQ(pic::parsePictureSource(crlf).pictures.size(), std::size_t(PIC_COUNT));
}

struct BadSource {
  const char* label;
  std::string from, to;
  int line; // 0: the whole file
  const char* message;
};

TEST(PictureSource, RejectsMalformedInput) {
  const std::string firstRow = "picture new\n" + std::string(16, 'k') + "\n";
  const BadSource cases[] = {
      {"short row", firstRow, "picture new\n" + std::string(15, 'k') + "\n", 6,
       "row has 15 pixels, expected 16"},
      {"long row", firstRow, "picture new\n" + std::string(17, 'k') + "\n", 6,
       "row has 17 pixels, expected 16"},
      {"unknown character", firstRow, "picture new\n" + std::string(15, 'k') + "z\n", 6,
       "uses 'z', which is not in the palette"},
      {"wrong order", "picture new\n", "picture open\n", 5, "picture 0 is 'open', expected 'new'"},
      {"missing picture", "picture dialog-save\n" + rows(16, 16, 'k'), "", 0,
       "found 20 pictures, expected 21"},
      {"missing icon", "icon 16\n" + rows(16, 16, 'k'), "", 0, "icon 16 is missing"},
      {"icon size", "icon 16\n", "icon 48\n", 0, "expected: icon 16 or icon 32"},
      {"clear key colour", "colour w FFFFFF", "colour w ff00ff", 4, "FF00FF is the clear colour"},
      {"bad colour", "colour w FFFFFF", "colour w FFFFF", 4, "bad colour 'FFFFF'"},
      {"palette twice", "colour w FFFFFF", "colour k FFFFFF", 4, "'k' given twice"},
      {"unknown line", "# test", "pictures", 1, "unknown line 'pictures'"},
  };
  for (const BadSource& c : cases) {
    SCOPED_TRACE(c.label);
    std::string source = replaceOnce(validSource(), c.from, c.to);
    try {
      pic::parsePictureSource(source);
      ADD_FAILURE() << "accepted";
    } catch (const pic::FormatError& e) {
      if (c.line) {
        EXPECT_EQ(e.line(), c.line);
      }
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(PictureSource, RejectsSourceEndingInsideAPicture) {
  std::string source = validSource();
  source.resize(source.size() - 17 * 3); // the last icon loses three rows
  EXPECT_THROW(pic::parsePictureSource(source), pic::FormatError);
}

TEST(PictureSource, ShippedSourceIsComplete) {
  auto path = std::filesystem::path(__FILE__).parent_path() / "../../resources/pictures.txt";
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path;
  std::string text((std::istreambuf_iterator<char>(in)), {});
  pic::PictureSet set = pic::parsePictureSource(text);
  for (std::size_t i = 0; i < set.pictures.size(); ++i) {
    bool drawn = false;
    for (const pic::Rgba& p : set.pictures[i].pixels)
      drawn = drawn || p.a != 0;
    EXPECT_TRUE(drawn) << pic::kPictureNames[i] << " is empty";
  }
}

TEST(PictureImages, StripPlacesPicturesLeftToRight) {
  pic::Image a(2, 2, {1, 0, 0, 255}), b(2, 2, {2, 0, 0, 255});
  pic::Image s = pic::strip({a, b});
  ASSERT_EQ(s.width, 4);
  EXPECT_EQ(s.at(1, 1).r, 1);
  EXPECT_EQ(s.at(2, 0).r, 2);
}

TEST(PictureImages, GreyedKeepsClearAndLightens) {
  pic::Image image(3, 1);
  image.at(0, 0) = {0, 0, 0, 255};
  image.at(1, 0) = {255, 0, 0, 255};
  pic::Image grey = pic::greyed(image);
  EXPECT_EQ(grey.at(2, 0).a, 0);
  for (int x = 0; x < 2; ++x) {
    pic::Rgba p = grey.at(x, 0);
    EXPECT_EQ(p.r, p.g);
    EXPECT_EQ(p.g, p.b);
  }
  EXPECT_GT(grey.at(0, 0).r, 90);              // black comes out mid grey
  EXPECT_GT(grey.at(1, 0).r, grey.at(0, 0).r); // brighter stays brighter
}

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
