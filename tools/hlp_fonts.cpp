#include "hlp_fonts.h"

#include "hlp_bytes.h"

#include <iterator>
#include <string>

namespace tavrin::help::detail {
namespace {

struct FontSpec {
  std::uint8_t attributes; // 1 = bold
  std::uint8_t halfPoints;
  std::uint8_t family; // 1 modern, 3 swiss
  std::uint16_t face;
  std::uint8_t r, g, b;
};

} // namespace

// Face names of 20 bytes, then 11-byte descriptors (attributes, half points, family, face
// index, foreground and background colour).
std::vector<std::uint8_t> fontFile() {
  const std::vector<std::string> faces = {"Arial", "Courier New"};
  const FontSpec fonts[] = {
      {0, 20, 3, 0, 0, 0, 0},    // kFontText
      {1, 28, 3, 0, 0, 0, 0x80}, // kFontTitle
      {0, 20, 1, 1, 0, 0, 0},    // kFontCode
      {1, 22, 3, 0, 0, 0, 0},    // kFontHeading
  };
  Bytes font;
  const unsigned facesAt = 8;
  font.u16(unsigned(faces.size()));
  font.u16(unsigned(std::size(fonts)));
  font.u16(facesAt);
  font.u16(unsigned(facesAt + 20 * faces.size()));
  for (std::string face : faces) {
    face.resize(20, '\0');
    font.str(face);
  }
  for (const FontSpec& f : fonts) {
    font.u8(f.attributes);
    font.u8(f.halfPoints);
    font.u8(f.family);
    font.u16(f.face);
    font.u8(f.r);
    font.u8(f.g);
    font.u8(f.b);
    font.u8(0xFF);
    font.u8(0xFF);
    font.u8(0xFF);
  }
  return font.data;
}

} // namespace tavrin::help::detail
