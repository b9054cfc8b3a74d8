#include "asm/ti83_program.h"

#include "asm/asm_error.h"
#include "unit/asm_ti83_file.h"

#include <gtest/gtest.h>

namespace tavasm {
namespace {

TEST(Ti83ProgramName, FromTheOutputsBaseName) {
  struct Case {
    std::string path, name;
    std::vector<std::string> warnings; // words each warning must hold, in turn
    bool error;
  } cases[] = {
      {"prog.83p", "PROG", {}, false},
      {"c:\\src\\Game2.83P", "GAME2", {}, false},
      {"out/sub.dir/a1b2.83p", "A1B2", {}, false},
      {"noext", "NOEXT", {}, false},
      {"abcdefgh.83p", "ABCDEFGH", {}, false},
      {"abcdefghi.83p", "ABCDEFGH", {"cut to ABCDEFGH"}, false},
      {"my_prog-2.83p", "MYPROG2", {"'_', '-'"}, false},
      {"a.b.c.83p", "ABC", {"'.'"}, false},
      {"caf\xC3\xA9.83p", "CAF", {"'\xC3\xA9'"}, false},
      {"x_y_z_long_name.83p", "XYZLONGN", {"'_'", "cut to XYZLONGN"}, false},
      {"2fast.83p", "", {}, true},
      {"_9lives.83p", "", {"'_'"}, true},
      {"___.83p", "", {"'_'"}, true},
      {".83p", "", {}, true},
      {"dir.x/", "", {}, true},
  };
  for (const auto& c : cases) {
    const ProgramName got = programName(c.path);
    EXPECT_EQ(got.name, c.name) << c.path;
    EXPECT_EQ(got.error.empty(), !c.error) << c.path << ": " << got.error;
    if (c.error) {
      EXPECT_NE(got.error.find("begins with a letter"), std::string::npos) << got.error;
    }
    ASSERT_EQ(got.warnings.size(), c.warnings.size()) << c.path;
    for (size_t i = 0; i < c.warnings.size(); ++i)
      EXPECT_NE(got.warnings[i].find(c.warnings[i]), std::string::npos) << got.warnings[i];
  }
}

std::vector<std::uint8_t> counting(std::size_t n) {
  std::vector<std::uint8_t> code(n);
  for (std::size_t i = 0; i < n; ++i)
    code[i] = static_cast<std::uint8_t>(i * 37 + 11);
  return code;
}

TEST(Ti83File, ReadsBackAsTheCodeAndName) {
  const struct {
    std::size_t size;
    std::string name;
  } cases[] = {{0, "E"}, {1, "ONE"}, {2, "ABCDEFGH"}, {256, "P256"}, {kMaxTi83Code, "BIG"}};
  for (const auto& c : cases) {
    const auto code = counting(c.size);
    const auto file = ti83File(code, c.name);
    EXPECT_EQ(file.size(), 74 + 2 * c.size + 9);
    const Ti83Read back = readTi83(file);
    EXPECT_EQ(back.error, "") << c.size;
    EXPECT_EQ(back.name, c.name);
    EXPECT_EQ(back.code, code) << c.size;
  }
}

TEST(Ti83File, HexIsUpperCase) {
  const auto file = ti83File({0xAB, 0x0F}, "HEX");
  EXPECT_EQ(std::string(file.begin() + 0x48, file.begin() + 0x4C), "AB0F");
}

TEST(Ti83File, TooLargeForTheCalculator) {
  EXPECT_THROW(ti83File(counting(kMaxTi83Code + 1), "BIG"), AsmError);
}

TEST(Ti83File, ACorruptedByteFailsTheChecksum) {
  auto file = ti83File({0x3E, 0x01, 0xC9}, "PROG");
  file[0x48] = '4'; // still hex, so only the checksum shows it
  EXPECT_EQ(readTi83(file).error, "checksum");
}

} // namespace
} // namespace tavasm
