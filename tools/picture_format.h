// The text form of Tavrin's small pictures and icon, and the image files made from it.
//
// The source is a plain text file:
//
//   # a comment (only between blocks)
//   colour k 000000        one character, then RRGGBB or "none" (clear)
//   picture new            a 16 x 16 picture; the next 16 lines are its rows
//   icon 32                the program icon at 32 x 32; the next 32 lines are its rows
//
// Every row holds one palette character per pixel. The pictures come in the order of the
// PIC_* indices of resource.h, under the names in kPictureNames; the icon comes at 16 and 32.
// Magenta (FF00FF) is the clear colour of the bitmaps, so no palette entry may use it.
#pragma once

#include "../resources/resource.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::pictures {

constexpr int kPictureSize = 16;
constexpr std::array<int, 2> kIconSizes = {16, 32};

// Names of the pictures in the source, at their PIC_* index.
constexpr std::array<std::string_view, PIC_COUNT> kPictureNames = [] {
  std::array<std::string_view, PIC_COUNT> names{};
  names[PIC_NEW] = "new";
  names[PIC_OPEN] = "open";
  names[PIC_SAVE] = "save";
  names[PIC_COMPILE] = "compile";
  names[PIC_START] = "start";
  names[PIC_CLEARSCREEN] = "clear-screen";
  names[PIC_INDICATOROFF] = "indicator-off";
  names[PIC_CLOSE] = "close";
  names[PIC_BIGTEXT] = "big-text";
  names[PIC_SMALLTEXT] = "small-text";
  names[PIC_TEXTSTRING] = "text-string";
  names[PIC_SETINVERSE] = "set-inverse";
  names[PIC_RESINVERSE] = "res-inverse";
  names[PIC_SAVEAS] = "save-as";
  names[PIC_EXIT] = "exit";
  names[PIC_CONFIGURATION] = "configuration";
  names[PIC_FIND] = "find";
  names[PIC_INDEX] = "index";
  names[PIC_ABOUT] = "about";
  names[PIC_DIALOG_CLOSE] = "dialog-close";
  names[PIC_DIALOG_SAVE] = "dialog-save";
  return names;
}();

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

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

struct PictureSet {
  std::vector<Image> pictures; // at their PIC_* index
  std::map<int, Image> icons;  // by size
};

// A fault in the source, with the line it was found on (1-based; 0 for the whole file).
class FormatError : public std::runtime_error {
public:
  FormatError(int line, const std::string& what)
      : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + what : what),
        line_(line) {}
  int line() const { return line_; }

private:
  int line_;
};

namespace detail {

inline std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  return s;
}

inline std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
      ++i;
    std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t')
      ++i;
    if (i > start) out.push_back(s.substr(start, i - start));
  }
  return out;
}

inline std::optional<Rgba> parseColour(std::string_view text) {
  if (text == "none") return Rgba{0, 0, 0, 0};
  if (text.size() != 6) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * 16 + std::uint32_t(digit);
  }
  return Rgba{std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value), 255};
}

inline void putU16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(std::uint8_t(v >> (8 * i)));
}

// BITMAPINFOHEADER without a palette.
inline void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits,
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

inline void putFileHeader(std::vector<std::uint8_t>& out, std::uint32_t fileSize,
                          std::uint32_t pixelOffset) {
  out.push_back('B');
  out.push_back('M');
  putU32(out, fileSize);
  putU32(out, 0);
  putU32(out, pixelOffset);
}

} // namespace detail

// Reads the whole source. Throws FormatError on the first fault.
inline PictureSet parsePictureSource(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }

  std::map<char, Rgba> palette;
  PictureSet set;
  std::size_t i = 0;

  auto readRows = [&](int size, int headerLine, std::string_view what) {
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
      int lineNo = headerLine + 1 + y;
      if (i >= lines.size())
        throw FormatError(lineNo, std::string(what) + " ends after " + std::to_string(y) +
                                      " rows, expected " + std::to_string(size));
      std::string_view row = detail::trimmed(lines[i++]);
      if (int(row.size()) != size)
        throw FormatError(lineNo, std::string(what) + " row has " + std::to_string(row.size()) +
                                      " pixels, expected " + std::to_string(size));
      for (int x = 0; x < size; ++x) {
        auto found = palette.find(row[std::size_t(x)]);
        if (found == palette.end())
          throw FormatError(lineNo, std::string(what) + " uses '" + row[std::size_t(x)] +
                                        "', which is not in the palette");
        image.at(x, y) = found->second;
      }
    }
    return image;
  };

  while (i < lines.size()) {
    int lineNo = int(i) + 1;
    std::string_view line = detail::trimmed(lines[i++]);
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string_view> w = detail::words(line);

    if (w[0] == "colour") {
      if (w.size() != 3 || w[1].size() != 1)
        throw FormatError(lineNo, "expected: colour <character> <RRGGBB|none>");
      char c = w[1][0];
      if (c == '#') throw FormatError(lineNo, "'#' cannot be a palette character");
      auto colour = detail::parseColour(w[2]);
      if (!colour) throw FormatError(lineNo, "bad colour '" + std::string(w[2]) + "'");
      if (colour->a != 0 && Rgba{colour->r, colour->g, colour->b, 255} == kClearKey)
        throw FormatError(lineNo, "FF00FF is the clear colour; use 'none'");
      if (!palette.emplace(c, *colour).second)
        throw FormatError(lineNo, std::string("palette character '") + c + "' given twice");
    } else if (w[0] == "picture") {
      if (w.size() != 2) throw FormatError(lineNo, "expected: picture <name>");
      std::size_t index = set.pictures.size();
      if (index >= kPictureNames.size())
        throw FormatError(lineNo,
                          "more than " + std::to_string(kPictureNames.size()) + " pictures");
      if (w[1] != kPictureNames[index])
        throw FormatError(lineNo, "picture " + std::to_string(index) + " is '" + std::string(w[1]) +
                                      "', expected '" + std::string(kPictureNames[index]) + "'");
      set.pictures.push_back(readRows(kPictureSize, lineNo, "picture '" + std::string(w[1]) + "'"));
    } else if (w[0] == "icon") {
      int size = 0;
      for (int s : kIconSizes)
        if (w.size() == 2 && w[1] == std::to_string(s)) size = s;
      if (size == 0) throw FormatError(lineNo, "expected: icon 16 or icon 32");
      if (set.icons.count(size))
        throw FormatError(lineNo, "icon " + std::to_string(size) + " given twice");
      set.icons[size] = readRows(size, lineNo, "icon " + std::to_string(size));
    } else {
      throw FormatError(lineNo, "unknown line '" + std::string(line) + "'");
    }
  }

  if (set.pictures.size() != kPictureNames.size())
    throw FormatError(0, "found " + std::to_string(set.pictures.size()) + " pictures, expected " +
                             std::to_string(kPictureNames.size()));
  for (int s : kIconSizes)
    if (!set.icons.count(s)) throw FormatError(0, "icon " + std::to_string(s) + " is missing");
  return set;
}

// The pictures side by side, left to right.
inline Image strip(const std::vector<Image>& pictures) {
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

// The disabled look: each pixel's luminance, lifted towards white. Clear stays clear.
inline Image greyed(const Image& image) {
  Image out = image;
  for (Rgba& p : out.pixels) {
    if (p.a == 0) continue;
    int luminance = (299 * p.r + 587 * p.g + 114 * p.b) / 1000;
    auto v = std::uint8_t(luminance + (255 - luminance) * 45 / 100);
    p = Rgba{v, v, v, 255};
  }
  return out;
}

// A 24-bit bottom-up BMP file; clear pixels become magenta.
inline std::vector<std::uint8_t> encodeBmp24(const Image& image) {
  std::uint32_t stride = (std::uint32_t(image.width) * 3 + 3) & ~3u;
  std::uint32_t imageSize = stride * std::uint32_t(image.height);
  std::vector<std::uint8_t> out;
  detail::putFileHeader(out, 54 + imageSize, 54);
  detail::putInfoHeader(out, image.width, image.height, 24, imageSize, 0);
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

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> palette;         // at most 256 entries
  std::vector<std::uint8_t> indices; // row by row, top row first
};

// Gives each distinct colour of an opaque image a palette entry; at most 256.
inline IndexedImage indexColours(const Image& image) {
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

// An 8-bit bottom-up BMP file with a full 256-entry palette (unused entries black).
inline std::vector<std::uint8_t> encodeBmp8(const IndexedImage& image) {
  std::uint32_t stride = (std::uint32_t(image.width) + 3) & ~3u;
  std::uint32_t imageSize = stride * std::uint32_t(image.height);
  std::uint32_t offset = 14 + 40 + 256 * 4;
  std::vector<std::uint8_t> out;
  detail::putFileHeader(out, offset + imageSize, offset);
  detail::putInfoHeader(out, image.width, image.height, 8, imageSize, 256);
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

// An icon file: one 32-bit BGRA image with its AND mask per entry, in the given order.
inline std::vector<std::uint8_t> encodeIco(const std::vector<Image>& images) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const Image& image : images) {
    std::vector<std::uint8_t> body;
    std::uint32_t maskStride = ((std::uint32_t(image.width) + 31) / 32) * 4;
    std::uint32_t xorSize = std::uint32_t(image.width) * image.height * 4;
    std::uint32_t andSize = maskStride * std::uint32_t(image.height);
    // The height counts the colour image and the mask together.
    detail::putInfoHeader(body, image.width, image.height * 2, 32, xorSize + andSize, 0);
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
    bodies.push_back(std::move(body));
  }

  std::vector<std::uint8_t> out;
  detail::putU16(out, 0);
  detail::putU16(out, 1); // icon
  detail::putU16(out, unsigned(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (std::size_t n = 0; n < images.size(); ++n) {
    out.push_back(std::uint8_t(images[n].width >= 256 ? 0 : images[n].width));
    out.push_back(std::uint8_t(images[n].height >= 256 ? 0 : images[n].height));
    out.push_back(0); // no palette
    out.push_back(0);
    detail::putU16(out, 1);  // planes
    detail::putU16(out, 32); // bits per pixel
    detail::putU32(out, std::uint32_t(bodies[n].size()));
    detail::putU32(out, offset);
    offset += std::uint32_t(bodies[n].size());
  }
  for (const auto& body : bodies)
    out.insert(out.end(), body.begin(), body.end());
  return out;
}

} // namespace tavrin::pictures
