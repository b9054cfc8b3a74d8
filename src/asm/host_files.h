// The command-line program's side of the assembler: real files on disk.
#pragma once

#include "asm/assembler.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavasm {

// Reads whole files in binary, up to kMaxSourceSize: a longer (or endless) file is refused
// without being read whole.
class DiskFiles : public SourceFiles {
public:
  FileText read(const std::string& path) override;
};

// The folder holding the running program, without a trailing separator; empty when it
// can't be found.
std::string executableDir();

// True when the two paths name the same file (both exist and are one), or spell the same
// path once made absolute.
bool sameFile(const std::string& a, const std::string& b);

// Writes `bytes` to a new file beside `path`, then puts it in `path`'s place, so `path`
// holds either its old contents or all the new ones. On failure `path` is left as it was
// and `error` names the file and the reason.
bool writeReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes,
                    std::string& error);

} // namespace tavasm
