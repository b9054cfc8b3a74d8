#pragma once
// The system's own description of an error code.
#include <windows.h>

#include <string>

namespace tavrin::win32 {

std::string describeError(DWORD code);

} // namespace tavrin::win32
