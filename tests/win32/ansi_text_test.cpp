// Which bytes are text in a code page: given the code page, as the process's own can't be
// switched in a test.
#include "win32/ansi_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ValidInCodePage, ALeadByteWithoutItsTrailByteIsNoTextInADoubleByteCodePage) {
  struct Case {
    std::string text;
    unsigned codePage;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"", 932, true},
      {"\tld a,1\r\nret", 932, true},
      {"\t.db \"\x82\xa0\"\r\n", 932, true}, // a whole character
      {"\x82\xa0\x81\x40", 932, true},
      {"\t.db \"\x82", 932, false},        // a lead byte at the end
      {"\t.db \"\x82\r\nret", 932, false}, // before a line break
      {"\x81\x7f", 932, false},            // a byte that is no trail byte
      {"\xfa\x4a", 932, false}, // Roman numeral one, which comes back as its other code 87 54
      {"\xe0\r\n", 936, false},
      {"\t.db \"\x82\r\nret", 1252, true}, // every byte is a character
      {"\x81\x7f\xff", 1252, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text) + " in " + std::to_string(c.codePage));
    EXPECT_EQ(tavrin::win32::validInCodePage(c.text, c.codePage), c.valid);
  }
}

} // namespace
