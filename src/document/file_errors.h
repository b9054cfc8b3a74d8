#pragma once
// The texts of the errors that reading and writing source files raise. The default
// error box appends the closing full stop where the rule asks for one.
#include <string>

namespace tavrin {

inline constexpr const char* kStreamWriteError = "Stream write error";
inline constexpr const char* kTextExceedsMemo = "Text exceeds memo capacity";

// The system's description of an error without its trailing spaces, line breaks and
// full stops.
std::string cleanSystemDescription(std::string description);

// "Cannot open file "<full path>". <description>"
std::string cannotOpenText(const std::string& fullPath, const std::string& systemDescription);
// "Cannot create file "<full path>". <description>"
std::string cannotCreateText(const std::string& fullPath, const std::string& systemDescription);

// Why a file holding a NUL byte is not opened: the editor would cut the text there and
// the next save would lose the rest.
std::string holdsNulText(const std::string& fullPath);

// Why a file holding bytes that are no characters of the system's code page is not
// opened: the editor would give them back changed on the next save.
std::string notInCodePageText(const std::string& fullPath, unsigned codePage);

} // namespace tavrin
