// The picture source: what it reads, and each fault it refuses, with its line.
#include "picture_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace pic = tavrin::pictures;

namespace {

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
