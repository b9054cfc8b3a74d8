// A Windows bitmap (.bmp) read as a monochrome sprite, the way TI programs include their
// pictures: a pixel is set when it is dark (luminance 0.2126 R + 0.7152 G + 0.0722 B below
// 0.49 of full scale), rows from the top, the first pixel in a byte's highest bit, each row
// padded to whole bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavasm {

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> bytes; // (width + 7) / 8 a row
  std::string error;               // why the file can't be read as a picture
};

Picture readPicture(const std::string& file);

} // namespace tavasm
