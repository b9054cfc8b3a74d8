// The assembler on any source: what it returns must hang together, whatever the input.
// The input is the main file up to its first NUL byte; the rest is "inc.z80", for the
// main file to #include. A program that assembles must also make a well-formed .83p file.
#include "asm/asm_error.h"
#include "asm/assembler.h"
#include "asm/ti83_program.h"

#include "../unit/asm_ti83_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace {

class MemoryFiles : public tavasm::SourceFiles {
public:
  MemoryFiles(std::string main, std::string inc) : main_(std::move(main)), inc_(std::move(inc)) {}

  tavasm::FileText read(const std::string& path) override {
    const size_t slash = path.find_last_of("/\\");
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::optional<std::string> text;
    if (path == "main.z80")
      text = main_;
    else if (base == "inc.z80")
      text = inc_;
    if (!text) return {};
    offered[path] = *text;
    return {tavasm::FileText::Status::Ok, *text};
  }

  std::map<std::string, std::string> offered; // every path that was read, and its text
private:
  std::string main_, inc_;
};

bool sameMessages(const tavasm::Program& a, const tavasm::Program& b) {
  if (a.messages.size() != b.messages.size()) return false;
  for (size_t i = 0; i < a.messages.size(); ++i)
    if (tavasm::format(a.messages[i]) != tavasm::format(b.messages[i])) return false;
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const std::string mainText = input.substr(0, nul);
  const std::string inc = nul == std::string::npos ? "" : input.substr(nul + 1);
  const tavasm::Options options{{"lib"}, {{"FUZZ", "1"}, {"EMPTY", ""}}};

  MemoryFiles files(mainText, inc);
  const tavasm::Program program = tavasm::assemble("main.z80", files, options);
  int errors = 0;
  for (const auto& m : program.messages) {
    errors += m.error;
    // A message is about a file that was read, on one of its lines (or on none). Lines
    // end at LF, CR LF or CR, so there are no more of them than CRs and LFs, plus one.
    const auto file = files.offered.find(m.file);
    if (file == files.offered.end() || m.line < 0) std::abort();
    const auto breaks = std::count(file->second.begin(), file->second.end(), '\n') +
                        std::count(file->second.begin(), file->second.end(), '\r');
    if (m.line > breaks + 1) std::abort();
  }
  if (errors > tavasm::kMaxErrors) std::abort();
  if (program.ok() != (errors == 0)) std::abort();
  if (program.bytes.size() > 0x10000) std::abort();
  if (program.origin + program.bytes.size() > 0x10000) std::abort();

  // The same source assembles the same way again: nothing is left over from a run.
  MemoryFiles again(mainText, inc);
  const tavasm::Program second = tavasm::assemble("main.z80", again, options);
  if (second.bytes != program.bytes || second.origin != program.origin ||
      second.echoes != program.echoes || !sameMessages(second, program))
    std::abort();

  if (program.ok() && program.bytes.size() <= tavasm::kMaxTi83Code) {
    const Ti83Read back = readTi83(tavasm::ti83File(program.bytes, "FUZZ"));
    if (!back.error.empty() || back.code != program.bytes) std::abort();
  }
  return 0;
}
