#pragma once
// Start-up facts worked out from where the program lives.
#include <string>

namespace tavrin {

// The absolute path of "help\HelpFile.hlp" beside tavrin.exe.
std::string helpFileBesideProgram();

} // namespace tavrin
