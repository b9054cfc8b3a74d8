#pragma once
// The program's command line split into arguments.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// Element 0 is the program's own name. Arguments are separated by characters up to
// the space (spaces, tabs, control characters); double quotes group what they enclose,
// spaces included, and are dropped; quoted and unquoted pieces next to each other make
// one argument; a quote left open runs to the end of the line; empty pairs of quotes
// before an argument are skipped; a backslash is an ordinary character. An argument
// that comes out empty (a lone quote at the end) ends the list.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// The first argument after the program's name, if there is one.
std::optional<std::string> firstArgument(std::string_view commandLine);

} // namespace tavrin
