// The kit's TI-83 include files: every line is a comment or one name with its value, no
// name is defined twice across both files (names are case-insensitive), every value
// assembles to 16 bits, the known values are right, both files assemble with and
// without the palette's "#define equ .equ", and kit/sources.tsv names two sources for
// every value.
#include "unit/asm_memory_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace {

const std::string kKit = TAVRIN_SOURCE_DIR "/kit/";
const char* const kIncludes[] = {"ti83asm.inc", "tokens.inc"};

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

struct Definition {
  std::string file, name, value;
  int line;
};

// The definitions of one include file; a line that is neither blank, a comment nor
// "NAME .equ VALUE" fails the test.
std::vector<Definition> definitionsIn(const std::string& file) {
  std::vector<Definition> found;
  std::istringstream text(readAll(kKit + "include/" + file));
  std::string line;
  for (int number = 1; std::getline(text, line); ++number) {
    std::istringstream words(line.substr(0, line.find(';')));
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    if (w.empty()) continue;
    if (w.size() != 3 || lower(w[1]) != ".equ") {
      ADD_FAILURE() << file << ":" << number << ": not NAME .equ VALUE: " << line;
      continue;
    }
    found.push_back({file, w[0], w[2], number});
  }
  return found;
}

std::vector<Definition> allDefinitions() {
  std::vector<Definition> all;
  for (const char* file : kIncludes) {
    auto some = definitionsIn(file);
    all.insert(all.end(), some.begin(), some.end());
  }
  return all;
}

// Assembles `body` after the two includes, with or without the palette's define.
tavasm::Program assembleWithKit(const std::string& body, bool defineEqu) {
  MemoryFiles files;
  for (const char* file : kIncludes)
    files.files[file] = readAll(kKit + "include/" + file);
  files.files["t.z80"] = std::string(defineEqu ? "#define equ .equ\r\n" : "") +
                         "#include \"ti83asm.inc\"\r\n#include \"tokens.inc\"\r\n"
                         "\t.org 9327h\r\n" +
                         body;
  return tavasm::assemble("t.z80", files);
}

TEST(KitInclude, EveryNameIsDefinedOnceWithAValueOf16Bits) {
  const auto all = allDefinitions();
  std::map<std::string, Definition> byName;
  for (const auto& d : all) {
    auto [it, added] = byName.emplace(lower(d.name), d);
    EXPECT_TRUE(added) << d.name << " in " << d.file << ":" << d.line << " is also in "
                       << it->second.file << ":" << it->second.line;
  }
  EXPECT_GE(std::count_if(all.begin(), all.end(),
                          [](const Definition& d) { return d.file == "ti83asm.inc"; }),
            150);
  std::string body;
  for (const auto& d : all)
    body += "\t.dw " + d.name + "\r\n";
  for (bool defineEqu : {true, false}) {
    const auto program = assembleWithKit(body, defineEqu);
    EXPECT_EQ(allMessages(program), "") << (defineEqu ? "with" : "without") << " the define";
    EXPECT_EQ(program.bytes.size(), 2 * all.size());
  }
}

TEST(KitInclude, KnownValues) {
  const struct {
    const char* name;
    unsigned value;
  } known[] = {
      {"_clrLCDFull", 0x4755},
      {"_runIndicOff", 0x4795},
      {"_puts", 0x470D},
      {"_vputs", 0x4781},
      {"_homeUp", 0x4775},
      {"CURROW", 0x800C},
      {"CURCOL", 0x800D},
      {"PENCOL", 0x8252},
      {"PENROW", 0x8253},
      {"textflags", 5},
      {"textInverse", 3},
      {"tEnd", 0xD4},
      {"tEnter", 0x3F},
      {"t0", 0x30},
      {"t9", 0x39},
      {"tA", 0x41},
      {"tZ", 0x5A},
  };
  for (const auto& k : known) {
    const auto program = assembleWithKit(std::string("\t.dw ") + k.name + "\r\n", true);
    ASSERT_EQ(allMessages(program), "") << k.name;
    ASSERT_EQ(program.bytes.size(), 2u);
    EXPECT_EQ(static_cast<unsigned>(program.bytes[0] | program.bytes[1] << 8), k.value) << k.name;
  }
}

TEST(KitInclude, EveryValueNamesTwoSources) {
  std::map<std::string, std::vector<std::string>> rows;
  std::istringstream table(readAll(kKit + "sources.tsv"));
  std::string line;
  std::getline(table, line); // the header
  while (std::getline(table, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');)
      fields.push_back(cell);
    ASSERT_EQ(fields.size(), 4u) << line;
    EXPECT_TRUE(rows.emplace(lower(fields[0]), fields).second) << "twice: " << line;
  }
  for (const auto& d : allDefinitions()) {
    auto it = rows.find(lower(d.name));
    if (it == rows.end()) {
      ADD_FAILURE() << d.name << " has no row in sources.tsv";
      continue;
    }
    const auto& f = it->second;
    EXPECT_EQ(f[1], d.value) << d.name;
    EXPECT_FALSE(f[2].empty() || f[3].empty()) << d.name;
    EXPECT_NE(f[2], f[3]) << d.name;
    rows.erase(it);
  }
  for (const auto& [name, fields] : rows)
    ADD_FAILURE() << "sources.tsv has a row for " << fields[0] << ", which no file defines";
}

} // namespace
