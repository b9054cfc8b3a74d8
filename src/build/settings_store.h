#pragma once
// The one setting: the folder of go.bat, value "asmbatdir" under
// HKEY_LOCAL_MACHINE\Software\Molvane\Z80.
#include "ports/registry.h"

#include <optional>
#include <string>

namespace tavrin {

// The main window and the dialog spell the last part of the key differently; the
// registry takes them as the same key, and the main window's spelling shows in its
// error text.
inline constexpr const char* kMainWindowKey = "Software\\Molvane\\z80";
inline constexpr const char* kDialogKey = "Software\\Molvane\\Z80";
inline constexpr const char* kAsmBatDirValue = "asmbatdir";

// The main window's load at creation. Nothing when the key can't be opened or the
// value is missing. Throws Error("Failed to create key Software\Molvane\z80") when
// the key is absent and can't be created, and Error("Invalid data type for
// 'asmbatdir'") for a value that is not a string; the window shows either through
// its default error box, leaves AsmBatDir as it was and goes on starting.
std::optional<std::string> loadAsmBatDir(Registry& registry);

// The Configuration dialog's load: the value, or nothing when the key can't be
// opened or the value is missing. Throws Error("Invalid data type for 'asmbatdir'").
std::optional<std::string> loadDialogFolder(Registry& registry);

// Stores folder. False when the key can't be opened or created; throws
// Error("Failed to set data for 'asmbatdir'") when writing the value fails.
bool saveAsmBatDir(Registry& registry, const std::string& folder);

} // namespace tavrin
