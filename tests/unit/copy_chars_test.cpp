#include "build/copy_chars.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

struct CopyCase {
  std::string s;
  unsigned start, count;
  std::string expected;
};

std::string digits(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i)
    s += static_cast<char>('0' + i % 10);
  return s;
}

TEST(CopyChars, Edges) {
  const std::string s300 = digits(300);
  const CopyCase cases[] = {
      {"", 1, 5, ""},
      {"abcd", 1, 0, ""},
      {"abcd", 1, 2, "ab"},
      {"abcd", 2, 2, "bc"},
      {"abcd", 3, 10, "cd"}, // runs to the end
      {"abcd", 4, 1, "d"},
      {"abcd", 5, 1, ""}, // start past the end
      {"abcd", 0, 3, "ab"},
      {"abcd", 0, 0, ""},
      {"abcd", 256 + 2, 2, "bc"},  // start taken modulo 256
      {"abcd", 1, 256 + 3, "abc"}, // count taken modulo 256
      {"abcd", 1, 256, ""},
      {s300, 1, 255, s300.substr(0, 255)},
      {s300, 250, 255, s300.substr(249, 6)}, // cut to 255 characters first
      {s300, 255, 1, s300.substr(254, 1)},
      {digits(255), 255, 10, "4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CopyChars(c.s, c.start, c.count), c.expected)
        << "length " << c.s.size() << " start " << c.start << " count " << c.count;
  }
}

TEST(CompileBaseName, RemovesTheLastFourCharactersWhateverTheyAre) {
  const std::string p255 = "c:\\" + std::string(248, 'p') + ".z80";
  const std::string p259 = "c:\\" + std::string(252, 'q') + ".z80";
  const std::string p256 = "c:\\" + std::string(249, 'r') + ".z80";
  struct Case {
    std::string name, expected;
  } cases[] = {
      {"", ""},
      {"a", "a"},
      {"ab", "ab"},
      {"abc", "abc"},
      {"abcd", ""},
      {"abcde", "a"},
      {"c:\\src\\prog.z80", "c:\\src\\prog"},
      {"c:\\src\\program", "c:\\src\\pro"}, // no extension
      {"c:\\my files\\a b.z80", "c:\\my files\\a b"},
      {p255, p255.substr(0, 251)},
      {p256, p256.substr(0, 252)},
      {p259, p259.substr(0, 255)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(compileBaseName(c.name), c.expected) << "length " << c.name.size();
  }
}

} // namespace
} // namespace tavrin
