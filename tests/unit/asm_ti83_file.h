// Reads a .83p file back field by field, for the tests of what tavasm writes: the name and
// the code of a protected program of hex text, or what is wrong with the first field that is.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Ti83Read {
  std::string error; // empty when the file is well formed
  std::string name;
  std::vector<std::uint8_t> code;
};

inline Ti83Read readTi83(const std::vector<std::uint8_t>& f) {
  Ti83Read r;
  auto fail = [&](const std::string& what) {
    r.error = what;
    return r;
  };
  auto word = [&](std::size_t at) { return static_cast<std::size_t>(f[at] | (f[at + 1] << 8)); };
  constexpr std::size_t kHeader = 0x37, kVar = 15; // before the data section; variable header
  if (f.size() < kHeader + kVar + 2 + 2) return fail("file too short: " + std::to_string(f.size()));
  if (std::string(f.begin(), f.begin() + 8) != "**TI83**") return fail("signature");
  if (f[8] != 0x1A || f[9] != 0x0A || f[10] != 0x00) return fail("bytes 1A 0A 00 after signature");
  if (word(0x35) != f.size() - 57) return fail("data section length at 35h");
  if (word(0x37) != 0x0B) return fail("variable header length 0B 00");
  const std::size_t dataLength = word(0x39);
  if (f[0x3B] != 0x06) return fail("type 06 (protected program)");
  for (std::size_t i = 0x3C; i < 0x44 && f[i] != 0; ++i)
    r.name += static_cast<char>(f[i]);
  if (r.name.empty()) return fail("empty name");
  for (std::size_t i = 0x3C + r.name.size(); i < 0x44; ++i)
    if (f[i] != 0) return fail("name padding");
  if (word(0x44) != dataLength) return fail("second variable data length");
  const std::size_t programLength = word(0x46);
  if (dataLength != programLength + 2) return fail("variable data length != program length + 2");
  if (0x48 + programLength + 2 != f.size()) return fail("program length against file size");
  unsigned sum = 0;
  for (std::size_t i = kHeader; i < f.size() - 2; ++i)
    sum += f[i];
  if (word(f.size() - 2) != (sum & 0xFFFF)) return fail("checksum");

  const std::vector<std::uint8_t> trailer = {0x3F, 0xD4, 0x3F, 0x30, 0x30, 0x30, 0x30, 0x3F, 0xD4};
  const auto program = f.begin() + 0x48;
  if (programLength < trailer.size() || (programLength - trailer.size()) % 2 != 0)
    return fail("program is not hex pairs then the 9-byte ending");
  const std::size_t hexLength = programLength - trailer.size();
  if (!std::equal(trailer.begin(), trailer.end(), program + hexLength))
    return fail("program's 9-byte ending");
  auto nibble = [](std::uint8_t c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
  };
  for (std::size_t i = 0; i < hexLength; i += 2) {
    const int hi = nibble(program[i]), lo = nibble(program[i + 1]);
    if (hi < 0 || lo < 0) return fail("upper-case hex at program byte " + std::to_string(i));
    r.code.push_back(static_cast<std::uint8_t>(hi << 4 | lo));
  }
  return r;
}
