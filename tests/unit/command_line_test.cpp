#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CommandLine, SplitsIntoArguments) {
  struct Case {
    std::string line;
    std::vector<std::string> arguments;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"   ", {}},
      {"tavrin.exe", {"tavrin.exe"}},
      {"tavrin.exe a.z80", {"tavrin.exe", "a.z80"}},
      {"  tavrin.exe \t a.z80\tb.z80  ", {"tavrin.exe", "a.z80", "b.z80"}},
      {"tavrin.exe\x01"
       "a\x1f"
       "b",
       {"tavrin.exe", "a", "b"}},
      {"\"C:\\Program Files\\tavrin.exe\" \"my file.z80\"",
       {"C:\\Program Files\\tavrin.exe", "my file.z80"}},
      {"t C:\\My Sources\\a.z80", {"t", "C:\\My", "Sources\\a.z80"}},
      {"t C:\\\"My Sources\"\\a.z80", {"t", "C:\\My Sources\\a.z80"}},
      {"t a\"\"b", {"t", "ab"}},
      {"t \"open to the end", {"t", "open to the end"}},
      {"t \"\" a.z80", {"t", "a.z80"}},
      {"t \"\"\"\" \"\"a.z80", {"t", "a.z80"}},
      {"t \"\"\"x y\"", {"t", "x y"}},
      {"t \"tab\there\"", {"t", "tab\there"}},
      {"t a\\\" b\\", {"t", "a\\ b\\"}},
      {"t \xe4\xf6.z80", {"t", "\xe4\xf6.z80"}},
      {"t a.z80 \"", {"t", "a.z80"}},
      {"t \" b", {"t", " b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(tavrin::splitCommandLine(c.line), c.arguments);
  }
}

TEST(CommandLine, FirstArgumentFollowsTheProgramName) {
  EXPECT_EQ(tavrin::firstArgument("tavrin.exe"), std::nullopt);
  EXPECT_EQ(tavrin::firstArgument("tavrin.exe  "), std::nullopt);
  EXPECT_EQ(tavrin::firstArgument("\"C:\\a b\\tavrin.exe\" x.z80 y.z80"), "x.z80");
  EXPECT_EQ(tavrin::firstArgument("tavrin.exe C:\\a b.z80"), "C:\\a");
}

} // namespace
