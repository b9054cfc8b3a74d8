// The TI-83 program file (.83p) that tavasm writes: the code as a protected program of hex
// text, which the plain TI-83 runs with Send(9prgmNAME.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavasm {

struct ProgramName {
  std::string name;                  // upper case, 1 to 8 letters and digits, a letter first
  std::vector<std::string> warnings; // characters dropped, or the name cut to 8
  std::string error;                 // empty when a name could be made
};

// The program's name, made from the output file's base name (no folder, no extension).
ProgramName programName(const std::string& outputPath);

// The whole .83p file holding `code` as the program `name` (a name from programName).
// Throws AsmError when the program would not fit in the calculator's memory.
std::vector<std::uint8_t> ti83File(const std::vector<std::uint8_t>& code, const std::string& name);

// The largest code ti83File takes. The program's hex text, two characters a byte and the
// 9-byte ending, is kept in the TI-83's 32 KB of RAM, so longer text can never be sent to
// it (the RAM free for programs is smaller still, which the calculator itself reports).
// The file's 16-bit lengths would hold about twice as much.
inline constexpr std::size_t kTi83Ram = 0x8000;
inline constexpr std::uint32_t kTi83Start = 0x9327; // where Send(9 runs a program

// "9327h": an address as the messages show it.
std::string hex4(std::uint32_t address);
inline constexpr std::size_t kMaxTi83Code = (kTi83Ram - 9) / 2;

} // namespace tavasm
