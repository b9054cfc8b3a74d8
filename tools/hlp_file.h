// The WinHelp 3.1 file made from Tavrin's help text.
//
// It is written uncompressed: the file header, the internal directory, and the internal
// files |SYSTEM (title, contents topic), |TOPIC (the topics in 4 KB blocks), |CONTEXT
// (context hash to topic), |CTXOMAP (help context 0 to the contents topic, for WinHelp
// calls), |TTLBTREE (topic titles) and |FONT (the fonts the text uses).
#pragma once

#include "help_text.h"

#include <cstdint>
#include <vector>

namespace tavrin::help {

// The whole help file; throws when the text has no topic or does not fit the file's limits.
std::vector<std::uint8_t> writeHelpFile(const HelpText& help);

} // namespace tavrin::help
