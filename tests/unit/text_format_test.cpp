#include "document/file_errors.h"
#include "document/text_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

TEST(TextFormat, LineBreaksBecomeCrLfAndNothingElseChanges) {
  struct Case {
    std::string in, out;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {"ret", "ret"},
      {"a\r\nb", "a\r\nb"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\n\rb", "a\r\n\r\nb"},
      {"\r\r\n\n", "\r\n\r\n\r\n"},
      {"\n", "\r\n"},
      {"\r", "\r\n"},
      {"x\r\n\r\ny", "x\r\n\r\ny"},
      {"\tld a,\"\xe9\"\x1a\x7f", "\tld a,\"\xe9\"\x1a\x7f"},
      {"no break at end\r\nlast", "no break at end\r\nlast"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.in));
    EXPECT_EQ(tavrin::toEditorText(c.in), c.out);
  }
}

TEST(TextFormat, ConvertedTextConvertsToItself) {
  std::string mixed;
  for (int i = 0; i < 500; ++i)
    mixed += i % 3 == 0 ? "line\n" : i % 3 == 1 ? "line\r" : "line\r\n";
  const std::string once = tavrin::toEditorText(mixed);
  EXPECT_EQ(once.size(), 500u * 6);
  EXPECT_EQ(tavrin::toEditorText(once), once);
}

// The scan for breaks that need converting works in blocks of 4096 bytes: a pair or a
// lone break on either side of a block's edge, or at the very end, is told apart alike.
TEST(TextFormat, BreaksAtTheEdgesOfTheScannedBlocks) {
  const std::string block(4095, 'a');
  struct Case {
    std::string in, out;
  };
  const std::vector<Case> cases = {
      {block + "\r\n" + "b", block + "\r\n" + "b"}, // the pair across the edge
      {block + "b\n", block + "b\r\n"},             // a lone LF just after it
      {block + "\r" + "b", block + "\r\n" + "b"},   // a lone CR at its last byte
      {block + "b" + block + "\r", block + "b" + block + "\r\n"},
      {block + block + "\r\n\n", block + block + "\r\n\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in.size());
    EXPECT_EQ(tavrin::toEditorText(c.in), c.out);
  }
}

TEST(TextFormat, HoldsNulFindsANulAnywhere) {
  EXPECT_FALSE(tavrin::holdsNul(""));
  EXPECT_FALSE(tavrin::holdsNul("plain\r\ntext\xff"));
  EXPECT_TRUE(tavrin::holdsNul("\0abc"s));
  EXPECT_TRUE(tavrin::holdsNul("ab\0c"s));
  EXPECT_TRUE(tavrin::holdsNul("abc\0"s));
}

TEST(FileErrors, TextsCarryTheFullPathAndTheCleanedDescription) {
  EXPECT_EQ(
      tavrin::cannotOpenText("C:\\src\\a.z80", "The system cannot find the file specified.\r\n"),
      "Cannot open file \"C:\\src\\a.z80\". The system cannot find the file specified");
  EXPECT_EQ(tavrin::cannotCreateText("C:\\a.z80", "Access is denied. \r\n"),
            "Cannot create file \"C:\\a.z80\". Access is denied");
  EXPECT_EQ(tavrin::cannotOpenText("C:\\a.z80", ". \r\n"), "Cannot open file \"C:\\a.z80\".");
  EXPECT_EQ(tavrin::cleanSystemDescription("Error 5. Details...  \n\r"), "Error 5. Details");
  EXPECT_EQ(tavrin::cleanSystemDescription("ok"), "ok");
  EXPECT_EQ(std::string(tavrin::kStreamWriteError), "Stream write error");
  EXPECT_EQ(std::string(tavrin::kTextExceedsMemo), "Text exceeds memo capacity");
  const std::string nul = tavrin::holdsNulText("C:\\bin\\x.z80");
  EXPECT_EQ(nul.rfind("Cannot open file \"C:\\bin\\x.z80\". ", 0), 0u);
  EXPECT_NE(nul.find("NUL"), std::string::npos);
}

} // namespace
