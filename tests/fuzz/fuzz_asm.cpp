// The assembler on any source: what it returns must hang together, whatever the input.
// The input is the main file up to its first NUL byte; the rest is "inc.z80", for the
// main file to #include, and "inc.bmp", a picture it may include. A program that
// assembles must also make a well-formed .83p file.
#include "asm/asm_error.h"
#include "asm/assembler.h"
#include "asm/ti83_program.h"

#include "../unit/asm_ti83_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

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
    else if (base == "inc.z80" || base == "inc.bmp")
      text = inc_;
    if (!text) return {};
    offered[path] = *text;
    return {tavasm::FileText::Status::Ok, *text};
  }

  std::map<std::string, std::string> offered; // every path that was read, and its text
private:
  std::string main_, inc_;
};

// The lines of a source as an editor shows them: a UTF-8 byte order mark at the start is
// no text, and a line ends at LF, CR LF or a lone CR. A break at the very end starts no
// further line.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  const size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  std::string line;
  bool open = false; // characters stand after the last break
  for (size_t i = start; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      open = true;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(line);
    line.clear();
    open = false;
  }
  if (open) lines.push_back(line);
  return lines;
}

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

  // The files the program names are those that were read.
  std::set<std::string> named(program.files.begin(), program.files.end());
  if (named.size() != files.offered.size()) std::abort();
  for (const auto& name : named)
    if (!files.offered.count(name)) std::abort();

  std::map<std::string, std::vector<std::string>> lines;
  for (const auto& [name, text] : files.offered)
    lines[name] = linesOf(text);
  int errors = 0;
  for (const auto& m : program.messages) {
    errors += m.error;
    // A message is about a file that was read, on one of its lines (or on none), and
    // shows that line as it is written, with a column inside it or just past its end.
    const auto file = lines.find(m.file);
    if (file == lines.end() || m.line < 0) std::abort();
    if (m.line == 0) continue;
    if (static_cast<size_t>(m.line) > file->second.size()) std::abort();
    const std::string& line = file->second[static_cast<size_t>(m.line) - 1];
    if (m.source != line) std::abort();
    if (m.col < 1 || static_cast<size_t>(m.col) > line.size() + 1) std::abort();
  }
  if (errors > tavasm::kMaxErrors) std::abort();
  // Errors are left out only when the list is full.
  if (program.moreErrors < 0 || (program.moreErrors > 0 && errors != tavasm::kMaxErrors))
    std::abort();
  if (program.ok() != (errors == 0)) std::abort();
  if (program.bytes.size() > 0x10000) std::abort();
  if (program.origin > 0xFFFF) std::abort();
  (void)tavasm::report(program, "main.z80");

  // The same source assembles the same way again: nothing is left over from a run.
  MemoryFiles again(mainText, inc);
  const tavasm::Program second = tavasm::assemble("main.z80", again, options);
  if (second.bytes != program.bytes || second.origin != program.origin ||
      second.echoes != program.echoes || second.files != program.files ||
      second.moreErrors != program.moreErrors || !sameMessages(second, program))
    std::abort();

  if (program.ok() && program.bytes.size() <= tavasm::kMaxTi83Code) {
    const Ti83Read back = readTi83(tavasm::ti83File(program.bytes, "FUZZ"));
    if (!back.error.empty() || back.code != program.bytes) std::abort();
  }
  return 0;
}
