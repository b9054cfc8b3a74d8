// The little-endian byte buffer the parts of the help file are written into, with the
// variable-length numbers of its paragraph records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace tavrin::help::detail {

struct Bytes {
  std::vector<std::uint8_t> data;

  void u8(unsigned v) { data.push_back(std::uint8_t(v)); }
  void u16(unsigned v) {
    u8(v & 0xFF);
    u8((v >> 8) & 0xFF);
  }
  void u32(std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
  void i32(std::int32_t v) { u32(std::uint32_t(v)); }
  void str(std::string_view s) { data.insert(data.end(), s.begin(), s.end()); }
  void cstr(std::string_view s) {
    str(s);
    u8(0);
  }
  void bytes(const std::vector<std::uint8_t>& b) { data.insert(data.end(), b.begin(), b.end()); }
  std::size_t size() const { return data.size(); }
  void putU32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      data[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
  }

  // The variable-length numbers of paragraph records: the lowest bit of the first byte
  // tells the long form from the short one.
  void compressedLong(std::int32_t v) { // 2 bytes for |v| < 16384, else 4
    if (v > -16384 && v < 16384)
      u16(std::uint32_t(0x8000 + 2 * v));
    else
      u32(std::uint32_t(0x80000000u + 2 * std::uint32_t(v) + 1));
  }
  void compressedUShort(unsigned v) { // 1 byte below 128, else 2
    if (v > 0x7FFF) throw std::runtime_error("a paragraph is too long");
    if (v < 128)
      u8(2 * v);
    else
      u16(2 * v + 1);
  }
  void compressedShort(int v) { // 1 byte for -64..63, else 2
    if (v >= -64 && v < 64)
      u8(unsigned(0x80 + 2 * v));
    else
      u16(unsigned(0x8000 + 2 * v + 1));
  }
};

} // namespace tavrin::help::detail
