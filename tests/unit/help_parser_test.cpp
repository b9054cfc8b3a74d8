// The help text's mistakes, each found on its line, and the same text put right read.
#include "help_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace help = tavrin::help;

TEST(HelpText, MistakesThrowWithTheirLine) {
  struct Case {
    const char* what;
    const char* source;
    int line;
    const char* mended; // the same text put right, which must read
  };
  const Case cases[] = {
      {"text before the first topic", "title: T\nstray\n= a A\n", 2, "title: T\n= a A\nstray\n"},
      {"a jump to a missing topic", "title: T\n= a A\n[b](nowhere)\n", 3,
       "title: T\n= a A\n[b](a)\n"},
      {"a repeated topic name", "title: T\n= a A\n= b B\n= a C\n", 4,
       "title: T\n= a A\n= b B\n= c C\n"},
      {"two names with one hash", "title: T\n= ab A\n= AB B\n", 3, "title: T\n= ab A\n= AC B\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_NO_THROW(help::parseHelpText(c.mended));
    try {
      help::parseHelpText(c.source);
      ADD_FAILURE() << "no error";
    } catch (const help::SourceError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(c.line) + ": ", 0), 0u)
          << e.what();
    }
  }
}
