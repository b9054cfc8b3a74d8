#include "asm/ti83_program.h"

#include "asm/asm_error.h"
#include "asm/token.h"

#include <array>

namespace tavasm {
namespace {

constexpr std::size_t kMaxName = 8;
constexpr const char* kNameRule =
    "a program name is 1 to 8 letters and digits and begins with a letter";

// After the hex text: a new line, End, a new line, "0000", a new line, End. Send( stops
// reading hex at the End.
constexpr std::array<std::uint8_t, 9> kTrailer = {0x3F, 0xD4, 0x3F, 0x30, 0x30,
                                                  0x30, 0x30, 0x3F, 0xD4};
constexpr std::size_t kCommentSize = 42;
constexpr const char* kComment = "Assembled by tavasm";
constexpr std::uint8_t kProtectedProgram = 0x06;

std::string baseName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\:");
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = base.rfind('.');
  if (dot != std::string::npos) base.erase(dot);
  return base;
}

// The length of the character starting at s[i]: a whole UTF-8 sequence, so a dropped
// character is named as the user typed it.
size_t charLength(const std::string& s, size_t i) {
  size_t n = 1;
  if (static_cast<unsigned char>(s[i]) >= 0xC0)
    while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80)
      ++n;
  return n;
}

char upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

void putWord(std::vector<std::uint8_t>& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

} // namespace

std::string hex4(std::uint32_t address) {
  constexpr const char* kHex = "0123456789ABCDEF";
  std::string out;
  for (int shift = 12; shift >= 0; shift -= 4)
    out += kHex[(address >> shift) & 0xF];
  return (isDigit(out[0]) ? "" : "0") + out + "h";
}

ProgramName programName(const std::string& outputPath) {
  ProgramName result;
  const std::string base = baseName(outputPath);
  std::string name;
  std::vector<std::string> dropped;
  for (size_t i = 0; i < base.size();) {
    const size_t n = charLength(base, i);
    const std::string c = base.substr(i, n);
    i += n;
    if (n == 1 && (isLetter(c[0]) || isDigit(c[0]))) {
      name += upper(c[0]);
    } else {
      bool seen = false;
      for (const auto& d : dropped)
        seen = seen || d == c;
      if (!seen) dropped.push_back(c);
    }
  }
  if (!dropped.empty()) {
    std::string list;
    for (const auto& d : dropped)
      list += (list.empty() ? "'" : ", '") + d + "'";
    result.warnings.push_back("the program name leaves out " + list + " from \"" + base +
                              "\": " + kNameRule);
  }
  if (name.empty() || isDigit(name[0])) {
    result.error = "can't make a program name from \"" + base + "\": " + kNameRule;
    return result;
  }
  if (name.size() > kMaxName) {
    result.warnings.push_back("the program name " + name + " is cut to " +
                              name.substr(0, kMaxName) + ": " + kNameRule);
    name.erase(kMaxName);
  }
  result.name = name;
  return result;
}

std::vector<std::uint8_t> ti83File(const std::vector<std::uint8_t>& code, const std::string& name) {
  if (name.empty() || name.size() > kMaxName)
    throw AsmError("\"" + name + "\" is not a program name: " + kNameRule);
  if (code.size() > kMaxTi83Code)
    throw AsmError("the code is " + std::to_string(code.size()) +
                   " bytes; as a TI-83 program it would be " +
                   std::to_string(2 * code.size() + kTrailer.size()) +
                   " bytes of hex, more than the calculator's 32 KB of RAM (the most code is " +
                   std::to_string(kMaxTi83Code) + " bytes)");

  std::vector<std::uint8_t> program;
  program.reserve(2 * code.size() + kTrailer.size());
  constexpr const char* kHex = "0123456789ABCDEF";
  for (std::uint8_t b : code) {
    program.push_back(static_cast<std::uint8_t>(kHex[b >> 4]));
    program.push_back(static_cast<std::uint8_t>(kHex[b & 0x0F]));
  }
  program.insert(program.end(), kTrailer.begin(), kTrailer.end());

  const std::size_t dataLength = program.size() + 2; // the length word, then the program
  std::vector<std::uint8_t> file = {'*', '*', 'T', 'I', '8', '3', '*', '*', 0x1A, 0x0A, 0x00};
  const std::string comment(kComment);
  file.insert(file.end(), comment.begin(), comment.end());
  file.resize(file.size() + kCommentSize - comment.size(), 0);
  putWord(file, 0); // the data section's length, filled in below
  const std::size_t dataStart = file.size();

  putWord(file, 0x0B); // the variable header's length: up to the name's end
  putWord(file, dataLength);
  file.push_back(kProtectedProgram);
  file.insert(file.end(), name.begin(), name.end());
  file.resize(file.size() + kMaxName - name.size(), 0);
  putWord(file, dataLength);
  putWord(file, program.size());
  file.insert(file.end(), program.begin(), program.end());

  const std::size_t sectionLength = file.size() - dataStart;
  file[dataStart - 2] = static_cast<std::uint8_t>(sectionLength & 0xFF);
  file[dataStart - 1] = static_cast<std::uint8_t>(sectionLength >> 8);
  unsigned sum = 0;
  for (std::size_t i = dataStart; i < file.size(); ++i)
    sum += file[i];
  putWord(file, sum & 0xFFFF);
  return file;
}

} // namespace tavasm
