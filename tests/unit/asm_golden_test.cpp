// The assembler on the sources in tests/asm_cases: NAME.z80 must give the bytes in NAME.hex
// (and no messages, or those in NAME.err), or, without a NAME.hex, fail with the messages in
// NAME.err, as the command line prints them. Files that a case includes sit beside it with
// other extensions. TAVASM_GOLDEN_WRITE=1 writes the .err files anew, to be read over.
#include "asm/host_files.h"
#include "unit/asm_memory_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// "3E 05" over any number of lines; ';' starts a comment.
std::string normalHex(const std::string& text) {
  std::istringstream lines(text);
  std::string line, out;
  while (std::getline(lines, line)) {
    std::istringstream words(line.substr(0, line.find(';')));
    for (std::string w; words >> w;)
      out += (out.empty() ? "" : " ") + w;
  }
  return out;
}

struct Cwd {
  fs::path old = fs::current_path();
  explicit Cwd(const fs::path& to) { fs::current_path(to); }
  ~Cwd() { fs::current_path(old); }
};

TEST(AsmGolden, EveryCaseGivesItsBytesOrMessages) {
  const fs::path dir = fs::path(TAVRIN_SOURCE_DIR) / "tests" / "asm_cases";
  const bool write = std::getenv("TAVASM_GOLDEN_WRITE") != nullptr;
  Cwd cwd(dir);
  int cases = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".z80") continue;
    ++cases;
    const std::string name = entry.path().filename().string();
    const fs::path hex = fs::path(entry.path()).replace_extension(".hex");
    const fs::path err = fs::path(entry.path()).replace_extension(".err");
    tavasm::DiskFiles files;
    const tavasm::Program p = tavasm::assemble(name, files);
    const std::string messages = tavasm::report(p, name);
    if (write && (!messages.empty() || fs::exists(err)))
      std::ofstream(err, std::ios::binary) << messages;
    EXPECT_EQ(messages, fs::exists(err) ? readText(err) : "") << name;
    if (fs::exists(hex)) {
      EXPECT_TRUE(p.ok()) << name;
      EXPECT_EQ(hexBytes(p.bytes), normalHex(readText(hex))) << name;
    } else {
      EXPECT_FALSE(p.ok()) << name << ": a case without a .hex must fail";
      EXPECT_TRUE(fs::exists(err)) << name << " has neither a .hex nor an .err";
    }
  }
  EXPECT_GT(cases, 0);
}

} // namespace
