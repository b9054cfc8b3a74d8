#pragma once
// Short-string substring with 8-bit arguments, and the build script's parameter.
#include <string>
#include <string_view>

namespace tavrin {

// The characters of s from the 1-based position start, count of them. s is first cut
// to its first 255 characters; start and count are 8-bit values (the caller's values
// are taken modulo 256). Empty when s is empty, start is past its end or count is 0;
// runs to the end of s when start + count reaches past it. A start of 0 stands one
// place before the first character, so it yields one character fewer.
std::string CopyChars(std::string_view s, unsigned start, unsigned count);

// The source path without its last four characters, whatever they are: the count is
// the length minus four as an 8-bit value. Empty for names of zero or four
// characters; names of one to three characters come back whole.
std::string compileBaseName(const std::string& sourceFileName);

} // namespace tavrin
