// tavasm's encoder checked against pasmo, an independent Z80 assembler, on every documented
// instruction form and the undocumented ones pasmo knows (ixh/ixl/iyh/iyl, sll), with operands
// at their edges. Both assemble one program made of all rows; each row's bytes are compared.
//
// The two languages differ, and the rows keep to what means the same in both:
// - our dialect evaluates strictly left to right (1+2*3 is 9), pasmo by precedence (7), so the
//   expressions here are plain numbers or give one value either way;
// - numbers are decimal or 0FFh-style hex, which both read ($FF is ours only, #FF pasmo's only);
// - a statement in column 1 is a label to us, so statements are indented and labels are not;
// - both ignore case, and a few rows are in capitals to keep us honest on that.
// Where only the spelling differs (sub a,b is pasmo's sub b) a row holds both spellings.

#include "asm/assembler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace tavasm {
namespace {

namespace fs = std::filesystem;

const char* const kPasmo = "/usr/bin/pasmo";

struct Row {
  std::string ours;  // '\n' separates statements; a line ending in ':' is a label
  std::string pasmo; // the same in pasmo's syntax
};

struct Rows {
  std::vector<Row> rows;
  void same(const std::string& text) { rows.push_back({text, text}); }
  void both(const std::string& ours, const std::string& pasmo) { rows.push_back({ours, pasmo}); }
};

const std::vector<std::string> kR8 = {"b", "c", "d", "e", "h", "l", "(hl)", "a"};
const std::vector<std::string> kR8NoM = {"b", "c", "d", "e", "h", "l", "a"};
const std::vector<std::string> kIndexed = {"(ix+0)", "(ix+127)", "(ix-128)",
                                           "(iy+0)", "(iy+127)", "(iy-128)"};
const std::vector<std::string> kHalves = {"ixh", "ixl", "iyh", "iyl"};
const std::vector<std::string> kBytes = {"0", "7Fh", "80h", "0FFh"};
const std::vector<std::string> kWords = {"0", "1234h", "0FFFFh"};
const std::vector<std::string> kConditions = {"nz", "z", "nc", "c", "po", "pe", "p", "m"};
const std::vector<std::string> kJrConditions = {"nz", "z", "nc", "c"};
const std::vector<std::string> kPairs = {"bc", "de", "hl", "sp", "ix", "iy"};

// Labels at the ends of a relative jump's reach: -128 and +127 from the next instruction.
// 42 three-byte loads fill 126 bytes.
std::string filler(int bytes) {
  std::string s;
  for (; bytes >= 3; bytes -= 3)
    s += "ld hl,0\n";
  for (; bytes > 0; --bytes)
    s += "nop\n";
  return s;
}

void relativeJump(Rows& t, const std::string& jump, int n) {
  const std::string back = "back" + std::to_string(n), ahead = "ahead" + std::to_string(n);
  t.same(back + ":\n" + filler(126) + jump + back);             // -128
  t.same(jump + ahead + "\n" + filler(127) + ahead + ":\nnop"); // +127
}

std::vector<Row> encoderRows() {
  Rows t;
  // 8-bit loads.
  for (const auto& d : kR8)
    for (const auto& s : kR8)
      if (d != "(hl)" || s != "(hl)") t.same("ld " + d + "," + s);
  for (const auto& r : kR8)
    for (const auto& n : kBytes)
      t.same("ld " + r + "," + n);
  for (const auto& r : kR8NoM)
    for (const auto& x : kIndexed) {
      t.same("ld " + r + "," + x);
      t.same("ld " + x + "," + r);
    }
  for (const auto& x : kIndexed)
    for (const auto& n : kBytes)
      t.same("ld " + x + "," + n);
  for (const char* s : {"ld a,(bc)", "ld a,(de)", "ld (bc),a", "ld (de),a", "ld a,i", "ld a,r",
                        "ld i,a", "ld r,a", "ld a,(ix)", "ld (iy),b"})
    t.same(s);
  for (const auto& w : kWords) {
    t.same("ld a,(" + w + ")");
    t.same("ld (" + w + "),a");
  }
  for (const auto& h : kHalves) {
    for (const char* r : {"b", "c", "d", "e", "a"}) {
      t.same(std::string("ld ") + r + "," + h);
      t.same("ld " + h + "," + r);
    }
    for (const char* other : {"h", "l"})
      t.same("ld " + h + "," + h.substr(0, 2) + other);
    for (const auto& n : kBytes)
      t.same("ld " + h + "," + n);
  }

  // 16-bit loads. Like pasmo, we load hl from and to memory with the short 2Ah/22h opcodes,
  // not ED 6Bh/63h, which do the same in two more cycles and one more byte.
  for (const auto& rr : kPairs)
    for (const auto& w : kWords) {
      t.same("ld " + rr + "," + w);
      t.same("ld " + rr + ",(" + w + ")");
      t.same("ld (" + w + ")," + rr);
    }
  for (const char* s : {"ld sp,hl", "ld sp,ix", "ld sp,iy"})
    t.same(s);
  for (const char* rr : {"bc", "de", "hl", "af", "ix", "iy"}) {
    t.same(std::string("push ") + rr);
    t.same(std::string("pop ") + rr);
  }

  // Exchanges, block transfers, searches and i/o.
  for (const char* s :
       {"ex de,hl", "ex af,af'", "exx",  "ex (sp),hl", "ex (sp),ix", "ex (sp),iy", "ldi", "ldir",
        "ldd",      "lddr",      "cpi",  "cpir",       "cpd",        "cpdr",       "ini", "inir",
        "ind",      "indr",      "outi", "otir",       "outd",       "otdr"})
    t.same(s);

  // 8-bit arithmetic and logic on every kind of source. The dialect also takes "a," before
  // the operand of sub, and, or, xor and cp, which pasmo does not.
  std::vector<std::string> sources = kR8;
  for (const auto* list : {&kBytes, &kIndexed, &kHalves})
    sources.insert(sources.end(), list->begin(), list->end());
  for (const char* op : {"add a,", "adc a,", "sub ", "sbc a,", "and ", "or ", "xor ", "cp "})
    for (const auto& s : sources)
      t.same(op + s);
  for (const char* op : {"sub", "and", "or", "xor", "cp"})
    for (const auto& s : sources)
      t.both(std::string(op) + " a," + s, std::string(op) + " " + s);
  for (const char* op : {"inc ", "dec "}) {
    for (const auto& r : kR8)
      t.same(op + r);
    for (const auto& x : kIndexed)
      t.same(op + x);
    for (const auto& h : kHalves)
      t.same(op + h);
  }
  for (const char* s :
       {"daa", "cpl", "neg", "ccf", "scf", "nop", "halt", "di", "ei", "im 0", "im 1", "im 2"})
    t.same(s);

  // 16-bit arithmetic.
  for (const char* rr : {"bc", "de", "hl", "sp"}) {
    t.same(std::string("add hl,") + rr);
    t.same(std::string("adc hl,") + rr);
    t.same(std::string("sbc hl,") + rr);
  }
  for (const std::string xy : {"ix", "iy"})
    for (const auto& rr : std::vector<std::string>{"bc", "de", xy, "sp"})
      t.same("add " + xy + "," + rr);
  for (const auto& rr : kPairs) {
    t.same("inc " + rr);
    t.same("dec " + rr);
  }

  // Rotates, shifts and bits.
  for (const char* s : {"rlca", "rla", "rrca", "rra", "rld", "rrd"})
    t.same(s);
  for (const char* op : {"rlc ", "rl ", "rrc ", "rr ", "sla ", "sra ", "sll ", "srl "}) {
    for (const auto& r : kR8)
      t.same(op + r);
    for (const auto& x : kIndexed)
      t.same(op + x);
  }
  for (const char* op : {"bit ", "res ", "set "}) {
    for (int b = 0; b < 8; ++b)
      for (const auto& r : kR8)
        t.same(op + std::to_string(b) + "," + r);
    for (const char* b : {"0,", "7,"})
      for (const auto& x : kIndexed)
        t.same(std::string(op) + b + x);
  }

  // Jumps, calls and returns. "$" is the address of the instruction in both.
  for (const auto& w : kWords) {
    t.same("jp " + w);
    t.same("call " + w);
    for (const auto& cc : kConditions) {
      t.same("jp " + cc + "," + w);
      t.same("call " + cc + "," + w);
    }
  }
  for (const char* s : {"jp (hl)", "jp (ix)", "jp (iy)", "ret", "reti", "retn"})
    t.same(s);
  for (const auto& cc : kConditions)
    t.same("ret " + cc);
  for (const char* n : {"00h", "08h", "10h", "18h", "20h", "28h", "30h", "38h"})
    t.same(std::string("rst ") + n);
  std::vector<std::string> jumps = {"jr ", "djnz "};
  for (const auto& cc : kJrConditions)
    jumps.push_back("jr " + cc + ",");
  int labels = 0;
  for (const auto& j : jumps) {
    for (const char* target : {"$+2", "$-126", "$+129"})
      t.same(j + target);
    relativeJump(t, j, labels++);
  }

  // Input and output.
  for (const auto& n : kBytes) {
    t.same("in a,(" + n + ")");
    t.same("out (" + n + "),a");
  }
  for (const auto& r : kR8NoM) {
    t.same("in " + r + ",(c)");
    t.same("out (c)," + r);
  }

  // Case, and an expression whose value differs between the two languages.
  for (const char* s : {"LD A,(IX+7Fh)", "EX AF,AF'", "Jp Nz,0ABCDH", "SLL (IY-128)"})
    t.same(s);
  t.same("ld a,2*3+1");
  // Left to right in our dialect: pasmo needs the parentheses (and a leading 0+, since "ld a,("
  // would be a load from memory) to get the same 9.
  t.both("ld a,1+2*3", "ld a,0+(1+2)*3");
  return t.rows;
}

// A row's text for a message: long rows (the relative jumps with their filler) shortened.
std::string describe(const std::string& text) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    parts.push_back(line);
  if (parts.size() <= 3) {
    std::string s;
    for (const auto& l : parts)
      s += (s.empty() ? "" : " | ") + l;
    return s;
  }
  return parts[0] + " | ... (" + std::to_string(parts.size() - 2) + " lines) | " + parts.back();
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
  std::string s;
  char buf[4];
  for (auto b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    s += (s.empty() ? "" : " ") + std::string(buf);
  }
  return s.empty() ? "(none)" : s;
}

// Where two encodings part, for rows too long to compare by eye.
std::string firstDifference(const std::vector<std::uint8_t>& a,
                            const std::vector<std::uint8_t>& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i])
    ++i;
  if (a == b || std::max(a.size(), b.size()) <= 8) return "";
  return "\n  first difference at byte " + std::to_string(i);
}

// A row's source lines: statements indented, labels in column 1.
std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);)
    out.push_back(!l.empty() && l.back() == ':' ? l : "\t" + l);
  return out;
}

// A program of all rows, each after its own label; a table of those labels' addresses closes
// it so that each row's bytes can be found in pasmo's output. lineRow[i] is the row that line
// i+1 belongs to (-1 for none).
struct Source {
  std::string text;
  std::vector<int> lineRow;
};

Source program(const std::vector<Row>& rows, bool ours) {
  const std::string dir = ours ? "." : "";
  Source s;
  auto line = [&](const std::string& l, int row) {
    s.text += l + "\n";
    s.lineRow.push_back(row);
  };
  line("\t" + dir + "org 0", -1);
  for (size_t i = 0; i < rows.size(); ++i) {
    line("row" + std::to_string(i) + ":", static_cast<int>(i));
    for (const auto& l : lines(ours ? rows[i].ours : rows[i].pasmo))
      line(l, static_cast<int>(i));
  }
  line("rowend:", -1);
  for (size_t i = 0; i <= rows.size(); ++i)
    line("\t" + dir + "dw " + (i == rows.size() ? "rowend" : "row" + std::to_string(i)), -1);
  return s;
}

struct MemoryFiles : SourceFiles {
  std::map<std::string, std::string> files;
  FileText read(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return {};
    return {FileText::Status::Ok, it->second};
  }
};

struct TempDir {
  fs::path path;
  TempDir() {
    static int count = 0;
    path = fs::temp_directory_path() /
           ("tavasm-pasmo-" + std::to_string(getpid()) + "-" + std::to_string(++count));
    fs::create_directories(path);
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct PasmoRun {
  bool ok = false;
  std::vector<std::uint8_t> bytes;
  std::string output; // what pasmo printed
};

PasmoRun runPasmo(const std::string& source) {
  TempDir dir;
  const fs::path src = dir.path / "all.asm", bin = dir.path / "all.bin", log = dir.path / "log";
  std::ofstream(src, std::ios::binary) << source;
  const std::string command = std::string(kPasmo) + " '" + src.string() + "' '" + bin.string() +
                              "' >'" + log.string() + "' 2>&1";
  PasmoRun run;
  run.ok = std::system(command.c_str()) == 0;
  run.output = readFile(log);
  const std::string bytes = readFile(bin);
  run.bytes.assign(bytes.begin(), bytes.end());
  return run;
}

// The row addresses from the table at the end of a program built by program().
std::optional<std::vector<std::size_t>> rowAddresses(const std::vector<std::uint8_t>& bytes,
                                                     std::size_t rows) {
  const std::size_t words = rows + 1;
  if (bytes.size() < 2 * words) return std::nullopt;
  const std::size_t table = bytes.size() - 2 * words;
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < words; ++i)
    at.push_back(bytes[table + 2 * i] | bytes[table + 2 * i + 1] << 8);
  for (std::size_t i = 0; i < rows; ++i)
    if (at[i] > at[i + 1]) return std::nullopt;
  if (at.back() != table) return std::nullopt;
  return at;
}

Program assembleText(const std::string& text) {
  MemoryFiles files;
  files.files["rows.asm"] = text;
  return assemble("rows.asm", files);
}

TEST(AsmPasmoTest, EveryInstructionFormEncodesAsPasmoDoes) {
  ASSERT_TRUE(fs::exists(kPasmo)) << kPasmo << " is missing: run tools/setup.sh to install pasmo";
  const std::vector<Row> rows = encoderRows();
  const Source theirs = program(rows, false), ours = program(rows, true);

  const PasmoRun pasmo = runPasmo(theirs.text);
  if (!pasmo.ok) {
    // pasmo stops at its first error: "ERROR on line N of file F".
    int line = 0;
    const auto at = pasmo.output.find("on line ");
    if (at != std::string::npos) line = std::atoi(pasmo.output.c_str() + at + 8);
    const int row = line >= 1 && line <= static_cast<int>(theirs.lineRow.size())
                        ? theirs.lineRow[line - 1]
                        : -1;
    FAIL() << "pasmo rejects the table"
           << (row >= 0 ? " at row \"" + describe(rows[row].pasmo) + "\"" : std::string()) << ":\n"
           << pasmo.output;
  }
  const auto at = rowAddresses(pasmo.bytes, rows.size());
  ASSERT_TRUE(at) << "pasmo's output does not end in the table of row addresses";

  // Each row on its own, at the address it has in the whole program, so that a fault names
  // the row; then the whole program, which also checks labels and the table.
  int wrong = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::string text = "\t.org " + std::to_string((*at)[i]) + "\n";
    for (const auto& l : lines(rows[i].ours))
      text += l + "\n";
    const Program p = assembleText(text);
    const std::vector<std::uint8_t> expected(pasmo.bytes.begin() + (*at)[i],
                                             pasmo.bytes.begin() + (*at)[i + 1]);
    std::string errors;
    for (const auto& m : p.messages)
      errors += "\n  " + format(m);
    const bool same = p.ok() && p.messages.empty() && p.bytes == expected &&
                      (expected.empty() || p.origin == (*at)[i]);
    if (!same) ++wrong;
    EXPECT_TRUE(same) << "\"" << describe(rows[i].ours) << "\""
                      << (rows[i].ours != rows[i].pasmo
                              ? " (pasmo: \"" + describe(rows[i].pasmo) + "\")"
                              : "")
                      << "\n  tavasm: " << hex(p.bytes) << " at " << p.origin
                      << "\n  pasmo:  " << hex(expected) << " at " << (*at)[i]
                      << firstDifference(p.bytes, expected) << errors;
  }

  const Program whole = assembleText(ours.text);
  std::string errors;
  for (const auto& m : whole.messages) {
    const int row = m.line >= 1 && m.line <= static_cast<int>(ours.lineRow.size())
                        ? ours.lineRow[m.line - 1]
                        : -1;
    errors += "\n  " + format(m) + (row >= 0 ? " (row \"" + describe(rows[row].ours) + "\")" : "");
  }
  EXPECT_TRUE(whole.ok() && whole.messages.empty()) << "the whole table:" << errors;
  EXPECT_EQ(whole.origin, 0u);
  EXPECT_TRUE(whole.bytes == pasmo.bytes) << "the whole table differs from pasmo's (" << wrong
                                          << " of " << rows.size() << " rows differ on their own)";
}

// Forms that pasmo rejects, worked out from the opcode tables: in r,(c) is ED 40+8r and
// out (c),r is ED 41+8r, with r = 6 (the (hl) slot) reading into the flags only or writing 0.
TEST(AsmPasmoTest, FormsPasmoLacks) {
  const struct {
    const char* text;
    std::vector<std::uint8_t> bytes;
  } rows[] = {
      {"in f,(c)", {0xED, 0x70}},
      {"in (c)", {0xED, 0x70}},
      {"out (c),0", {0xED, 0x71}},
  };
  for (const auto& row : rows) {
    const Program p = assembleText(std::string("\t.org 0\n\t") + row.text + "\n");
    std::string errors;
    for (const auto& m : p.messages)
      errors += "\n  " + format(m);
    EXPECT_TRUE(p.ok() && p.bytes == row.bytes)
        << row.text << "\n  tavasm: " << hex(p.bytes) << "\n  wanted: " << hex(row.bytes) << errors;
  }
}

} // namespace
} // namespace tavasm
