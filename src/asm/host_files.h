// The command-line program's side of the assembler: real files on disk.
#pragma once

#include "asm/assembler.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavasm {

// Reads whole files in binary; a file that can't be read, or a folder, is nothing.
class DiskFiles : public SourceFiles {
public:
  std::optional<std::string> read(const std::string& path) override;
};

// The folder holding the running program, without a trailing separator; empty when it
// can't be found.
std::string executableDir();

// Writes `bytes` to a new file beside `path`, then puts it in `path`'s place, so `path`
// holds either its old contents or all the new ones. On failure `path` is left as it was
// and `error` names the file and the reason.
bool writeReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes,
                    std::string& error);

} // namespace tavasm
