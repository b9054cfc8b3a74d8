// Makes Tavrin's bitmaps and icon from their text source, and draws the About banner.
//
//   picture_compiler <pictures.txt> <outdir>
//
// writes pictures.bmp, pictures_grey.bmp, tavrin.ico and banner.bmp into <outdir>.
#include "picture_files.h"
#include "picture_operations.h"
#include "picture_source.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

using tavrin::pictures::Image;
using tavrin::pictures::Rgba;

constexpr int kBannerWidth = 300;
constexpr int kBannerHeight = 50;

// A 5 x 7 font with just the letters of the program's name.
struct Glyph {
  char letter;
  const char* rows[7];
};

constexpr Glyph kFont[] = {
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
    {'v', {".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."}},
    {'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
};

const Glyph& glyphFor(char c) {
  for (const Glyph& g : kFont)
    if (g.letter == c) return g;
  throw std::runtime_error(std::string("no glyph for '") + c + "'");
}

std::uint8_t mix(int from, int to, double t) {
  return std::uint8_t(std::lround(from + (to - from) * t));
}

void fillRect(Image& image, int x0, int y0, int w, int h, Rgba colour) {
  for (int y = std::max(0, y0); y < std::min(image.height, y0 + h); ++y)
    for (int x = std::max(0, x0); x < std::min(image.width, x0 + w); ++x)
      image.at(x, y) = colour;
}

// Text in the look of a calculator screen: each font pixel is a cell of `cell` pixels
// whose last row and column stay dark.
void drawCellText(Image& image, std::string_view text, int left, int top, int cell, Rgba colour) {
  int x = left;
  for (char c : text) {
    const Glyph& g = glyphFor(c);
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 5; ++col)
        if (g.rows[row][col] == '#')
          fillRect(image, x + col * cell, top + row * cell, cell - 1, cell - 1, colour);
    x += 6 * cell;
  }
}

// Dark blue to teal, a faint grid of screen pixels, a plotted wave at the top right and
// the name on the left. The lower right corner stays plain for the version text.
Image drawBanner() {
  Image banner(kBannerWidth, kBannerHeight);
  const int steps = 48;
  for (int y = 0; y < kBannerHeight; ++y)
    for (int x = 0; x < kBannerWidth; ++x) {
      double t = std::floor(double(x) / (kBannerWidth - 1) * steps) / steps;
      Rgba c{mix(10, 0, t), mix(22, 104, t), mix(70, 118, t), 255};
      bool gridDot = x % 3 == 1 && y % 3 == 1;
      bool calmCorner = x >= 196 && y >= 30;
      if (gridDot && !calmCorner)
        c = Rgba{mix(c.r, 255, 0.10), mix(c.g, 255, 0.10), mix(c.b, 255, 0.10), 255};
      banner.at(x, y) = c;
    }

  // A light line along the top edge and a dark one along the bottom.
  fillRect(banner, 0, 0, kBannerWidth, 1, Rgba{90, 150, 200, 255});
  fillRect(banner, 0, kBannerHeight - 1, kBannerWidth, 1, Rgba{0, 10, 30, 255});

  // A sine wave plotted on the grid, as on the calculator's graph screen.
  const Rgba wave{120, 230, 220, 255};
  for (int x = 205; x < 295; x += 3) {
    double phase = (x - 205) / 90.0 * 2 * 3.14159265358979;
    int y = 16 + int(std::lround(std::sin(phase) * 8 / 3)) * 3;
    fillRect(banner, x, y, 2, 2, wave);
  }

  const int cell = 5;
  const int top = (kBannerHeight - 7 * cell) / 2 + 1;
  drawCellText(banner, "Tavrin", 12 + 2, top + 2, cell, Rgba{0, 12, 36, 255});
  drawCellText(banner, "Tavrin", 12, top, cell, Rgba{255, 255, 255, 255});
  return banner;
}

std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

} // namespace

int main(int argc, char** argv) {
  namespace pic = tavrin::pictures;
  if (argc != 3) {
    std::cerr << "usage: picture_compiler <pictures.txt> <outdir>\n";
    return 2;
  }
  const std::string source = argv[1];
  const std::string outdir = argv[2];
  try {
    pic::PictureSet set;
    try {
      set = pic::parsePictureSource(readWhole(source));
    } catch (const pic::FormatError& e) {
      std::cerr << source << ": " << e.what() << "\n";
      return 1;
    }
    pic::Image strip = pic::strip(set.pictures);
    writeWhole(outdir + "/pictures.bmp", pic::encodeBmp24(strip));
    writeWhole(outdir + "/pictures_grey.bmp", pic::encodeBmp24(pic::greyed(strip)));
    writeWhole(outdir + "/tavrin.ico", pic::encodeIco({set.icons.at(32), set.icons.at(16)}));
    writeWhole(outdir + "/banner.bmp", pic::encodeBmp8(pic::indexColours(drawBanner())));
  } catch (const std::exception& e) {
    std::cerr << "picture_compiler: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
