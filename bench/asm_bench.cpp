// tavasm against pasmo on the same 22,000-line Z80 program: the wall time of each run, from
// the start of the process to its exit, and its peak resident memory. The two are run in
// turn, round after round, and their outputs must be the same bytes.
// Then tavasm on a program of over 1 MB of source written with #defines, #macros and
// #include files against tavasm on the same bytes written out as plain statements: what
// reading macros and included files costs. The two are run in turn in the same rounds.
// Usage: bench_asm [rounds] [tavasm] [pasmo]
#include "bench_common.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef TAVASM_PATH
#define TAVASM_PATH "tavasm"
#endif

using namespace tavrin::bench;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLines = 22000;

// A fixed sequence, so that every run assembles the same program.
class Random {
public:
  explicit Random(std::uint64_t start = 24301) : state_(start) {}
  unsigned below(unsigned n) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<unsigned>(state_ >> 33) % n;
  }

private:
  std::uint64_t state_;
};

// One line of the program. A directive's name is written with its dot (".db"), as tavasm
// takes it; pasmo gets it without. An '@' in the operands stands for a label chosen once
// every address is known.
struct Line {
  std::string label;
  bool colon = true;
  std::string op, args, comment;
  int size = 0;
  bool relative = false; // jr or djnz: the label must be within reach
};

const char* const kRegs[] = {"a", "b", "c", "d", "e", "h", "l"};
const char* const kPairs[] = {"bc", "de", "hl"};
const char* const kStackPairs[] = {"bc", "de", "hl", "af"};
const char* const kConditions[] = {"nz", "z", "nc", "c", "po", "pe", "p", "m"};
const char* const kShortConditions[] = {"nz", "z", "nc", "c"};
const char* const kAlu[] = {"add", "adc", "sbc", "sub", "and", "xor", "or", "cp"};
const char* const kNames[] = {"draw", "loop", "next", "skip", "key", "sprite", "move", "done"};
const char* const kWords[] = {"Score", "Level", "Game Over", "Press Enter", "Lives", "Pause"};
const char* const kConstants[] = {"speed", "width", "height", "lives", "delay"};

template <std::size_t N> const char* pick(Random& r, const char* const (&from)[N]) {
  return from[r.below(N)];
}

std::string number(unsigned n) {
  return std::to_string(n);
}

std::string index(Random& r) {
  return std::string(r.below(2) ? "(ix+" : "(iy+") + number(r.below(128)) + ")";
}

Line instruction(Random& r) {
  Line l;
  auto set = [&](std::string op, std::string args, int size) {
    l.op = std::move(op);
    l.args = std::move(args);
    l.size = size;
  };
  switch (r.below(32)) {
  case 0:
  case 1: {
    const char* to = pick(r, kRegs);
    const char* from = pick(r, kRegs);
    set("ld", std::string(to) + "," + from, 1);
    break;
  }
  case 2:
    set("ld", std::string(pick(r, kRegs)) + "," + number(r.below(256)), 2);
    break;
  case 3:
    set("ld", std::string(pick(r, kPairs)) + "," + number(r.below(65536)), 3);
    break;
  case 4:
    set("ld", r.below(2) ? "hl,@" : "de,@", 3);
    break;
  case 5:
    set("ld", r.below(2) ? "a,(hl)" : "(hl),a", 1);
    break;
  case 6:
    set("ld", r.below(2) ? "a,(@)" : "(@),a", 3);
    break;
  case 7:
    set("ld", r.below(2) ? "hl,(@)" : "(@),hl", 3);
    break;
  case 8: {
    const std::string at = index(r);
    set("ld", r.below(2) ? "a," + at : at + ",a", 3);
    break;
  }
  case 9:
    set("ld", index(r) + "," + number(r.below(256)), 4);
    break;
  case 10:
    set(r.below(2) ? "inc" : "dec", pick(r, kRegs), 1);
    break;
  case 11:
    set(r.below(2) ? "inc" : "dec", pick(r, kPairs), 1);
    break;
  case 12:
    set(r.below(2) ? "inc" : "dec", index(r), 3);
    break;
  case 13: {
    // add, adc and sbc name the accumulator; the others take it as understood.
    const unsigned op = r.below(std::size(kAlu));
    const std::string a = op < 3 ? "a," : "";
    const unsigned kind = r.below(3);
    if (kind == 0)
      set(kAlu[op], a + pick(r, kRegs), 1);
    else if (kind == 1)
      set(kAlu[op], a + number(r.below(256)), 2);
    else
      set(kAlu[op], a + "(hl)", 1);
    break;
  }
  case 14:
    set("add", std::string("hl,") + pick(r, kPairs), 1);
    break;
  case 15:
    set(r.below(2) ? "sbc" : "adc", std::string("hl,") + pick(r, kPairs), 2);
    break;
  case 16:
    set("add", std::string(r.below(2) ? "ix," : "iy,") + (r.below(2) ? "bc" : "de"), 2);
    break;
  case 17:
  case 18:
    set(r.below(2) ? "push" : "pop", pick(r, kStackPairs), 1);
    break;
  case 19:
    set(r.below(2) ? "push" : "pop", r.below(2) ? "ix" : "iy", 2);
    break;
  case 20:
    set("call", r.below(3) ? "@" : std::string(pick(r, kConditions)) + ",@", 3);
    break;
  case 21:
    set("jp", r.below(3) ? "@" : std::string(pick(r, kConditions)) + ",@", 3);
    break;
  case 22:
  case 23:
    set("jr", r.below(2) ? "@" : std::string(pick(r, kShortConditions)) + ",@", 2);
    l.relative = true;
    break;
  case 24:
    set("djnz", "@", 2);
    l.relative = true;
    break;
  case 25: {
    static const char* const kinds[] = {"bit", "set", "res"};
    set(pick(r, kinds), number(r.below(8)) + "," + index(r), 4);
    break;
  }
  case 26:
    set("bit", number(r.below(8)) + "," + pick(r, kRegs), 2);
    break;
  case 27: {
    static const char* const exchanges[] = {"de,hl", "af,af'", "(sp),hl"};
    set("ex", pick(r, exchanges), 1);
    break;
  }
  case 28: {
    static const char* const ones[] = {"exx", "rlca", "rrca", "rla", "rra", "ret",
                                       "di",  "ei",   "nop",  "scf", "ccf", "cpl"};
    set(pick(r, ones), "", 1);
    break;
  }
  case 29: {
    static const char* const twos[] = {"ldir", "lddr", "neg", "cpir", "reti"};
    set(pick(r, twos), "", 2);
    break;
  }
  case 30: {
    static const char* const shifts[] = {"sla", "sra", "srl", "rl", "rr", "rlc", "rrc"};
    set(pick(r, shifts), pick(r, kRegs), 2);
    break;
  }
  default:
    if (r.below(2))
      set("ret", pick(r, kConditions), 1);
    else if (r.below(2))
      set("out", "(" + number(r.below(256)) + "),a", 2);
    else
      set("ld", std::string("a,") + pick(r, kConstants), 2);
    break;
  }
  return l;
}

Line data(Random& r) {
  Line l;
  if (r.below(4) == 0) {
    l.op = ".dw";
    l.args = "@,@";
    l.size = 4;
  } else if (r.below(2)) {
    const char* word = pick(r, kWords);
    l.op = ".db";
    l.args = std::string("\"") + word + "\",0";
    l.size = static_cast<int>(std::strlen(word)) + 1;
  } else {
    l.op = ".db";
    l.size = 1 + r.below(8);
    for (int i = 0; i < l.size; ++i)
      l.args += (i ? "," : "") + number(r.below(256));
  }
  return l;
}

// The program as tavasm reads it (dots on the directives) or as pasmo does.
std::string render(const std::vector<Line>& lines, bool dots) {
  std::string text;
  text.reserve(lines.size() * 24);
  for (const Line& l : lines) {
    text += l.label;
    if (!l.label.empty() && l.colon) text += ':';
    if (!l.op.empty()) {
      text += '\t';
      text += (!dots && l.op[0] == '.') ? l.op.substr(1) : l.op;
      if (!l.args.empty()) text += '\t' + l.args;
    }
    if (!l.comment.empty()) text += (l.label.empty() && l.op.empty() ? "; " : "\t; ") + l.comment;
    text += '\n';
  }
  return text;
}

struct Sources {
  std::string tavasm, pasmo;
  std::size_t bytes = 0;
};

// A program of kLines lines: constants, then routines of instructions under labels every
// few lines, with a line of data now and then. Jumps and calls go to any label, forward or
// back; jr and djnz to labels within their reach.
Sources program() {
  Random r;
  std::vector<Line> lines;
  lines.push_back({"", true, "", "", "tavasm against pasmo: a generated program", 0, false});
  lines.push_back({"", true, ".org", "0", "", 0, false});
  for (std::size_t i = 0; i < std::size(kConstants); ++i)
    lines.push_back({kConstants[i], false, ".equ", number(3 + 17 * i), "", 0, false});
  std::size_t untilLabel = 0, labels = 0;
  while (lines.size() + 1 < kLines) {
    Line l;
    if (untilLabel == 0) {
      untilLabel = 3 + r.below(5);
      const std::string label =
          std::string(pick(r, kNames)) + "_" + number(static_cast<unsigned>(labels++));
      if (r.below(3) == 0) l = instruction(r); // the label's line holds an instruction too
      l.label = label;
    } else {
      --untilLabel;
      const unsigned kind = r.below(40);
      if (kind == 0)
        l.comment = "the next routine";
      else if (kind == 1) {
        // a blank line
      } else if (kind < 5)
        l = data(r);
      else {
        l = instruction(r);
        if (r.below(8) == 0) l.comment = "step " + number(r.below(1000));
      }
    }
    lines.push_back(std::move(l));
  }
  lines.push_back({"", true, ".end", "", "", 0, false});

  // Every address, then the labels the '@'s stand for.
  std::vector<std::size_t> address(lines.size());
  std::vector<std::size_t> labelLines;
  std::size_t pc = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    address[i] = pc;
    pc += lines[i].size;
    if (!lines[i].label.empty() && lines[i].colon) labelLines.push_back(i);
  }
  if (pc > 65536) {
    std::fprintf(stderr, "bench_asm: the generated program is %zu bytes, over 64 KB\n", pc);
    std::exit(2);
  }
  std::size_t nearest = 0; // the first label line at or after the line being filled in
  for (std::size_t i = 0; i < lines.size(); ++i) {
    while (nearest < labelLines.size() && labelLines[nearest] < i)
      ++nearest;
    Line& l = lines[i];
    for (std::size_t at; (at = l.args.find('@')) != std::string::npos;) {
      std::size_t target = labelLines[r.below(static_cast<unsigned>(labelLines.size()))];
      if (l.relative) {
        // One of the two labels before this line or the two after it, if within reach.
        const long from = static_cast<long>(address[i]) + 2;
        std::vector<std::size_t> near;
        for (long k = static_cast<long>(nearest) - 2; k < static_cast<long>(nearest) + 2; ++k) {
          if (k < 0 || k >= static_cast<long>(labelLines.size())) continue;
          const long offset = static_cast<long>(address[labelLines[k]]) - from;
          if (offset >= -128 && offset <= 127) near.push_back(labelLines[k]);
        }
        if (near.empty()) {
          std::fprintf(stderr, "bench_asm: no label within reach of line %zu\n", i + 1);
          std::exit(2);
        }
        target = near[r.below(static_cast<unsigned>(near.size()))];
      }
      l.args.replace(at, 1, lines[target].label);
    }
  }
  return {render(lines, true), render(lines, false), pc};
}

// ---------------------------------------------------------------------------------------
// The second program: a TI-83 program of three pages, each assembled for 9327h, written
// with #defines, #macros and #include files of equates the way a large project is, and the
// same bytes written out as plain statements, one a line, with every value a number.

// A value as TASM reads it: terms and the operators between them, worked out from left to
// right. `chain` is what the text becomes once its #defines are replaced.
struct Expr {
  std::string text;
  std::vector<std::pair<std::string, std::int64_t>> chain;

  std::int64_t value() const {
    std::int64_t v = 0;
    for (const auto& [op, x] : chain) {
      if (op.empty())
        v = x;
      else if (op == "+")
        v += x;
      else if (op == "-")
        v -= x;
      else if (op == "*")
        v *= x;
      else if (op == "&")
        v &= x;
      else if (op == ">>")
        v = static_cast<std::int64_t>(static_cast<std::uint32_t>(v) >> x);
      v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    }
    return v;
  }
};

Expr atom(std::string text, std::int64_t value) {
  return {std::move(text), {{"", value}}};
}

Expr join(const Expr& a, const std::string& op, const Expr& b) {
  Expr e{a.text + op + b.text, a.chain};
  e.chain.emplace_back(op, b.chain[0].second);
  e.chain.insert(e.chain.end(), b.chain.begin() + 1, b.chain.end());
  return e;
}

// A #define that takes an argument: its name and parentheses around the argument's text,
// and the argument's chain followed by the body's.
Expr call(const std::string& name, const Expr& arg,
          std::vector<std::pair<std::string, std::int64_t>> after) {
  Expr e{name + "(" + arg.text + ")", arg.chain};
  e.chain.insert(e.chain.end(), after.begin(), after.end());
  return e;
}

std::string hexDigits(std::int64_t v, int width) {
  char s[24];
  std::snprintf(s, sizeof s, "%0*llX", width, static_cast<unsigned long long>(v));
  return s;
}

// "0DCh": a hexadecimal number as TASM reads it, which starts with a digit.
std::string hexNumber(std::int64_t v, int width) {
  const std::string h = hexDigits(v, width);
  return (std::isdigit(static_cast<unsigned char>(h[0])) ? "" : "0") + h + "h";
}

// A number in one of the ways sources write them.
Expr literal(Random& r, std::int64_t v, bool word) {
  switch (r.below(word ? 3 : 5)) {
  case 0:
    return atom(std::to_string(v), v);
  case 1:
    return atom(hexNumber(v, word ? 4 : 2), v);
  case 2:
    return atom("$" + hexDigits(v, word ? 4 : 2), v);
  case 3: {
    std::string bits = "%";
    for (int b = 7; b >= 0; --b)
      bits += (v >> b) & 1 ? '1' : '0';
    return atom(bits, v);
  }
  default:
    return atom(std::to_string(v) + "d", v);
  }
}

const char* const kRomVerbs[] = {"Put",   "Get",   "Clr",  "Disp", "Draw",  "Load",
                                 "Store", "Conv",  "Find", "Set",  "Reset", "Copy",
                                 "Move",  "Check", "Push", "Pop",  "Erase", "Shift"};
const char* const kRomObjects[] = {
    "S",    "C",   "Map",  "LCD",    "Screen", "Pixel", "Line",  "Key",    "Num",  "Real",
    "Cplx", "Str", "List", "Mat",    "Var",    "Sym",   "Op1",   "Op2",    "Op3",  "Op4",
    "Op5",  "Op6", "Flag", "Cursor", "Menu",   "Graph", "Table", "Window", "Font", "HL"};
const char* const kRomSuffixes[] = {"",    "Full", "Small", "Large", "Fast", "Home",
                                    "End", "Next", "Prev",  "Ind",   "Top",  "Bot"};
const char* const kRamFirst[] = {"cur", "pen", "save", "temp", "old", "key",
                                 "spr", "scr", "lvl",  "txt",  "grf", "snd"};
const char* const kRamSecond[] = {"Row", "Col",   "X",    "Y",      "Flags", "Buf",
                                  "Ptr", "Count", "Mode", "Shadow", "Time",  "Step"};
const char* const kWordList[] = {
    "the",    "screen", "buffer",  "sprite", "row",     "column", "key",     "routine",
    "byte",   "table",  "pointer", "value",  "level",   "score",  "player",  "enemy",
    "tile",   "map",    "copies",  "draws",  "clears",  "checks", "returns", "with",
    "into",   "from",   "each",    "until",  "after",   "before", "keeps",   "holds",
    "is",     "in",     "of",      "to",     "and",     "when",   "the",     "flags",
    "cursor", "text",   "graph",   "window", "counter", "delay",  "timer",   "stack",
    "saves",  "loads",  "moves",   "its",    "next",    "last",   "first",   "every"};
const char* const kCategories[] = {"ROW", "COL", "KEY", "TILE", "SPEED", "DELAY", "COUNT", "FLAG"};
const char* const kDefineWords[] = {
    "TOP",  "BOTTOM", "LEFT",  "RIGHT", "ENTER", "CLEAR", "GRASS", "WATER", "WALL",
    "DOOR", "STAIRS", "ENEMY", "HERO",  "COIN",  "HEART", "SLOW",  "FAST",  "SHORT",
    "LONG", "MENU",   "TITLE", "SCORE", "LIVES", "PAUSE", "GAME",  "OVER",  "START",
    "FIRE", "JUMP",   "DUCK",  "ITEM",  "KEYS",  "GOLD",  "STONE", "TREE",  "BRIDGE"};
const char* const kRoutineVerbs[] = {"draw", "move", "check", "clear", "load",
                                     "save", "show", "wait",  "init",  "update"};
const char* const kRoutineNouns[] = {"Map",  "Hero", "Enemies", "Score", "Tiles",
                                     "Menu", "Keys", "Level",   "Items", "Status"};

constexpr int kPages = 3;
constexpr std::uint32_t kPageOrigin = 0x9327;
constexpr std::size_t kPageBytes = 19500;

// Writes the macro program's files and, beside them, the plain program, keeping the two
// the same bytes: each macro call is written out here as the instructions it stands for.
class MacroProgram {
public:
  std::vector<std::pair<std::string, std::string>> files; // name, text; the main file first
  std::string plain;
  std::size_t bytes = 0;

  MacroProgram() {
    equates();
    defines();
    macros();
    std::string main = "; A TI-83 program in three pages, each loaded at 9327h in its turn.\n"
                       "; The system's equates, the game's constants and its macros come\n"
                       "; first, then the pages.\n"
                       "#include \"ti83.inc\"\n#include \"game.inc\"\n#include \"macros.inc\"\n";
    for (int p = 1; p <= kPages; ++p) {
      const std::string name = "page" + std::to_string(p) + ".asm";
      main += "#include \"" + name + "\"\n";
      files.emplace_back(name, page(p));
    }
    files.insert(files.begin(), {"main.asm", main});
  }

private:
  Random r_{0x3ac0};
  std::set<std::string> names_; // lowered: no two names may differ only in case
  std::vector<std::pair<std::string, std::int64_t>> rom_, ram_, tokens_;
  std::map<std::string, std::vector<Expr>> constants_; // by category
  std::vector<Expr> buffers_, sizes_;
  std::int64_t curRow_ = 0x800C, plotSScreen_ = 0x8E29, score_ = 0, lives_ = 0, level_ = 0;
  std::int64_t putS_ = 0, clrLcdFull_ = 0, getKey_ = 0, dispHl_ = 0;
  std::int64_t delayShort_ = 0, colNumber_ = 0, spriteX_ = 0, spriteY_ = 0, rowStatus_ = 0,
               keyEnter_ = 0;
  std::vector<std::string> routines_; // of the page being written

  void fresh(const std::string& name) {
    std::string low = name;
    for (char& c : low)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!names_.insert(low).second) {
      std::fprintf(stderr, "bench_asm: the name %s is made twice\n", name.c_str());
      std::exit(2);
    }
  }

  std::string sentence(std::size_t words) {
    std::string s;
    for (std::size_t i = 0; i < words; ++i)
      s += (i ? " " : "") + std::string(pick(r_, kWordList));
    return s;
  }

  void out(const std::string& op, const std::string& args, std::size_t size) {
    plain += '\t' + op;
    if (!args.empty()) plain += '\t' + args;
    plain += '\n';
    bytes += size;
  }
  void label(const std::string& name) { plain += name + ":\n"; }
  static std::string n(const Expr& e) { return std::to_string(e.value()); }
  static std::string n(std::int64_t v) { return std::to_string(v); }

  // ti83.inc and the files it includes: the system's calls, its memory and its tokens.
  void equates() {
    std::string rom = "; The system's calls, made with b_call.\n";
    std::int64_t at = 0x4000;
    for (const char* verb : kRomVerbs)
      for (const char* object : kRomObjects)
        for (const char* suffix : kRomSuffixes) {
          const std::string name = std::string("_") + verb + object + suffix;
          fresh(name);
          rom_.emplace_back(name, at);
          if (name == "_PutS") putS_ = at;
          if (name == "_ClrLCDFull") clrLcdFull_ = at;
          if (name == "_GetKey") getKey_ = at;
          if (name == "_DispHL") dispHl_ = at;
          rom += name + "\t.equ\t" + hexNumber(at, 4) + "\t; " + sentence(6 + r_.below(6)) + "\n";
          at += 2;
        }
    std::string ram = "; The system's memory.\ncurRow\t.equ\t800Ch\ncurCol\t.equ\t800Dh\n"
                      "plotSScreen\t.equ\t8E29h\t; the graph screen's buffer, 768 bytes\n";
    for (const char* name : {"curRow", "curCol", "plotSScreen"})
      fresh(name);
    std::int64_t var = 0x8100;
    for (const char* first : kRamFirst)
      for (const char* second : kRamSecond) {
        const std::string name = std::string(first) + second;
        if (name == "curRow" || name == "curCol") continue; // the system's, above
        fresh(name);
        ram_.emplace_back(name, var);
        ram += name + "\t.equ\t" + hexNumber(var, 4) + "\t; " + sentence(5) + "\n";
        var += 2;
      }
    for (const char* name : {"score", "lives", "level"}) {
      fresh(name);
      ram_.emplace_back(name, var);
      ram += std::string(name) + "\t.equ\t" + hexNumber(var, 4) + "\n";
      var += 2;
    }
    score_ = ram_[ram_.size() - 3].second;
    lives_ = ram_[ram_.size() - 2].second;
    level_ = ram_[ram_.size() - 1].second;
    std::string tokens = "; The tokens programs are written in.\n";
    for (std::size_t i = 0; i < 1600; ++i) {
      const std::string name = "t" + std::string(pick(r_, kRoutineNouns)) + std::to_string(i);
      fresh(name);
      const std::int64_t v = r_.below(256);
      tokens_.emplace_back(name, v);
      tokens += name + "\t.equ\t" + hexNumber(v, 2) + "\t; " + sentence(4 + r_.below(4)) + "\n";
    }
    files.emplace_back("ti83.inc", "; The TI-83's equates.\n#include \"ti83rom.inc\"\n"
                                   "#include \"ti83ram.inc\"\n#include \"tokens.inc\"\n");
    files.emplace_back("ti83rom.inc", rom);
    files.emplace_back("ti83ram.inc", ram);
    files.emplace_back("tokens.inc", tokens);
  }

  std::string defineLine(const std::string& name, const Expr& e) {
    return "#define " + name + "\t" + e.text + "\t; " + sentence(3 + r_.below(5)) + "\n";
  }

  // game.inc: the game's constants, some in terms of others.
  void defines() {
    std::string text = "; The game's constants.\n"
                       "#define b_call(addr) rst 28h \\ .dw addr\n"
                       "#define bcall(addr) b_call(addr)\n"
                       "#define ROWCOL(row,col) col*256+row\n"
                       "#define LOW(x) x&255\n"
                       "#define HIGH(x) x>>8&255\n"
                       "#define STR(text) .db text,0\n"
                       "#define ROW8(b0,b1,b2,b3,b4,b5,b6,b7) .db b0,b1,b2,b3,b4,b5,b6,b7\n";
    auto fixed = [&](const std::string& name, std::int64_t v) {
      fresh(name);
      text += "#define " + name + "\t" + std::to_string(v) + "\n";
      return v;
    };
    delayShort_ = fixed("DELAY_SHORT", 40);
    colNumber_ = fixed("COL_NUMBER", 11);
    spriteX_ = fixed("SPRITE_X", 44);
    spriteY_ = fixed("SPRITE_Y", 20);
    rowStatus_ = fixed("ROW_STATUS", 6);
    keyEnter_ = fixed("KEY_ENTER", 5);
    const std::int64_t limits[] = {7, 15, 150, 63, 9, 255, 99, 128};
    for (std::size_t c = 0; c < std::size(kCategories); ++c) {
      auto& list = constants_[kCategories[c]];
      for (std::size_t i = 0; i < 320; ++i) {
        const std::string name =
            std::string(kCategories[c]) + "_" + pick(r_, kDefineWords) + std::to_string(i);
        fresh(name);
        Expr e = literal(r_, r_.below(static_cast<unsigned>(limits[c]) + 1), false);
        if (!list.empty() && r_.below(3) == 0) {
          // One defined in terms of another: the other's name, plus a step, if it fits.
          const Expr& base = list[r_.below(static_cast<unsigned>(list.size()))];
          const Expr other = join(base, "+", literal(r_, r_.below(4), false));
          if (other.value() <= limits[c]) e = other;
        }
        text += defineLine(name, e);
        list.push_back(Expr{name, e.chain});
      }
    }
    for (std::size_t i = 0; i < 400; ++i) {
      const std::string name = "BUF_" + std::string(pick(r_, kDefineWords)) + std::to_string(i);
      fresh(name);
      const Expr e = join(atom("plotSScreen", plotSScreen_), "+", literal(r_, r_.below(700), true));
      text += defineLine(name, e);
      buffers_.push_back(Expr{name, e.chain});
      const std::string size = "SIZE_" + std::string(pick(r_, kDefineWords)) + std::to_string(i);
      fresh(size);
      const Expr s = literal(r_, 1 + r_.below(64), false);
      text += defineLine(size, s);
      sizes_.push_back(Expr{size, s.chain});
    }
    files.emplace_back("game.inc", text);
  }

  void macros() {
    files.emplace_back("macros.inc", "; The game's macros; the later ones call the earlier.\n"
                                     "#macro PUTS(row,col,text)\n"
                                     "\tld hl,ROWCOL(row,col)\t; the cursor\n"
                                     "\tld (curRow),hl\n"
                                     "\tld hl,text\n"
                                     "\tb_call(_PutS)\n"
                                     "#endmacro\n"
                                     "#macro SHOWNUM(row,col,var)\n"
                                     "\tld hl,ROWCOL(row,col)\n"
                                     "\tld (curRow),hl\n"
                                     "\tld hl,(var)\n"
                                     "\tb_call(_DispHL)\n"
                                     "#endmacro\n"
                                     "#macro SPRITE(x,y,data)\n"
                                     "\tld a,x\n"
                                     "\tld l,y\n"
                                     "\tld ix,data\n"
                                     "\tcall putSprite\n"
                                     "#endmacro\n"
                                     "#macro FILL(dest,count,value)\n"
                                     "\tld hl,dest\n"
                                     "\tld de,dest+1\n"
                                     "\tld bc,count-1\n"
                                     "\tld (hl),value\n"
                                     "\tldir\n"
                                     "#endmacro\n"
                                     "#macro WAITKEY(key)\n"
                                     "\tb_call(_GetKey)\n"
                                     "\tcp key\n"
                                     "\tjr nz,$-5\t; until it is that key\n"
                                     "#endmacro\n"
                                     "#macro DELAY(n)\n"
                                     "\tld b,n\n"
                                     "\tdjnz $\n"
                                     "#endmacro\n"
                                     "#macro ADD16(var,value)\n"
                                     "\tld hl,(var)\n"
                                     "\tld de,value\n"
                                     "\tadd hl,de\n"
                                     "\tld (var),hl\n"
                                     "#endmacro\n"
                                     "#macro SCREEN(title,x,y,pic)\n"
                                     "\tbcall(_ClrLCDFull)\n"
                                     "\tPUTS(0,0,title)\n"
                                     "\tSPRITE(x,y,pic)\n"
                                     "\tDELAY(DELAY_SHORT)\n"
                                     "#endmacro\n"
                                     "#macro STATUS(row,first,second)\n"
                                     "\tPUTS(row,0,scoreText)\n"
                                     "\tSHOWNUM(row,COL_NUMBER,first)\n"
                                     "\tPUTS(row+1,0,livesText)\n"
                                     "\tSHOWNUM(row+1,COL_NUMBER,second)\n"
                                     "#endmacro\n"
                                     "#macro NEWLEVEL(n,title,pic)\n"
                                     "\tld a,n\n"
                                     "\tld (level),a\n"
                                     "\tSCREEN(title,SPRITE_X,SPRITE_Y,pic)\n"
                                     "\tSTATUS(ROW_STATUS,score,lives)\n"
                                     "\tWAITKEY(KEY_ENTER)\n"
                                     "#endmacro\n");
  }

  // What the macros stand for, written out.
  void bcall(std::int64_t addr) {
    out("rst", "28h", 1);
    out(".dw", n(addr), 2);
  }
  void puts(const Expr& row, const Expr& col, const std::string& text) {
    out("ld", "hl," + n(join(join(col, "*", atom("256", 256)), "+", row)), 3);
    out("ld", "(" + n(curRow_) + "),hl", 3);
    out("ld", "hl," + text, 3);
    bcall(putS_);
  }
  void showNum(const Expr& row, const Expr& col, std::int64_t var) {
    out("ld", "hl," + n(join(join(col, "*", atom("256", 256)), "+", row)), 3);
    out("ld", "(" + n(curRow_) + "),hl", 3);
    out("ld", "hl,(" + n(var) + ")", 3);
    bcall(dispHl_);
  }
  void sprite(const Expr& x, const Expr& y, const std::string& data) {
    out("ld", "a," + n(x), 2);
    out("ld", "l," + n(y), 2);
    out("ld", "ix," + data, 4);
    out("call", "putSprite", 3);
  }
  void fill(const Expr& dest, const Expr& count, const Expr& value) {
    out("ld", "hl," + n(dest), 3);
    out("ld", "de," + n(join(dest, "+", atom("1", 1))), 3);
    out("ld", "bc," + n(join(count, "-", atom("1", 1))), 3);
    out("ld", "(hl)," + n(value), 2);
    out("ldir", "", 2);
  }
  void waitKey(const Expr& key) {
    bcall(getKey_);
    out("cp", n(key), 2);
    out("jr", "nz,$-5", 2);
  }
  void delay(const Expr& count) {
    out("ld", "b," + n(count), 2);
    out("djnz", "$", 2);
  }
  void add16(std::int64_t var, const Expr& value) {
    out("ld", "hl,(" + n(var) + ")", 3);
    out("ld", "de," + n(value), 3);
    out("add", "hl,de", 1);
    out("ld", "(" + n(var) + "),hl", 3);
  }
  void screen(const std::string& title, const Expr& x, const Expr& y, const std::string& pic) {
    bcall(clrLcdFull_);
    puts(atom("0", 0), atom("0", 0), title);
    sprite(x, y, pic);
    delay(atom("DELAY_SHORT", delayShort_));
  }
  void status(const Expr& row, std::int64_t first, std::int64_t second) {
    const Expr next = join(row, "+", atom("1", 1));
    puts(row, atom("0", 0), "scoreText");
    showNum(row, atom("COL_NUMBER", colNumber_), first);
    puts(next, atom("0", 0), "livesText");
    showNum(next, atom("COL_NUMBER", colNumber_), second);
  }
  void newLevel(const Expr& level, const std::string& title, const std::string& pic) {
    out("ld", "a," + n(level), 2);
    out("ld", "(" + n(level_) + "),a", 3);
    screen(title, atom("SPRITE_X", spriteX_), atom("SPRITE_Y", spriteY_), pic);
    status(atom("ROW_STATUS", rowStatus_), score_, lives_);
    waitKey(atom("KEY_ENTER", keyEnter_));
  }

  const Expr& constant(const char* category) {
    const auto& list = constants_[category];
    return list[r_.below(static_cast<unsigned>(list.size()))];
  }
  Expr named(const std::vector<std::pair<std::string, std::int64_t>>& from) {
    const auto& [name, value] = from[r_.below(static_cast<unsigned>(from.size()))];
    return atom(name, value);
  }

  Expr word() {
    for (;;) {
      Expr e;
      switch (r_.below(5)) {
      case 0:
        e = named(ram_);
        break;
      case 1:
        e = buffers_[r_.below(static_cast<unsigned>(buffers_.size()))];
        break;
      case 2:
        e = join(join(constant("ROW"), "*", atom("12", 12)), "+",
                 buffers_[r_.below(static_cast<unsigned>(buffers_.size()))]);
        break;
      case 3:
        e = literal(r_, r_.below(65536), true);
        break;
      default:
        e = named(rom_);
        break;
      }
      if (e.value() >= 0 && e.value() <= 65535) return e;
    }
  }

  Expr byte() {
    for (;;) {
      Expr e;
      switch (r_.below(8)) {
      case 0:
        e = literal(r_, r_.below(256), false);
        break;
      case 1:
        e = constant(pick(r_, kCategories));
        break;
      case 2:
        e = join(constant(pick(r_, kCategories)), "+", literal(r_, r_.below(16), false));
        break;
      case 3:
        e = join(constant(pick(r_, kCategories)), "*", literal(r_, 1 + r_.below(3), false));
        break;
      case 4:
        e = call("LOW", word(), {{"&", 255}});
        break;
      case 5:
        e = call("HIGH", word(), {{">>", 8}, {"&", 255}});
        break;
      case 6:
        e = named(tokens_);
        break;
      default:
        e = join(constant(pick(r_, kCategories)), "-", constant(pick(r_, kCategories)));
        break;
      }
      if (e.value() >= 0 && e.value() <= 255) return e;
    }
  }

  std::string earlier() { return routines_[r_.below(static_cast<unsigned>(routines_.size()))]; }

  // One statement of a routine, in the macro program's words, written out in the plain one.
  std::string statement(const std::string& title, const std::string& pic) {
    const unsigned kind = r_.below(40);
    switch (kind) {
    case 0:
    case 1:
    case 2:
    case 3: {
      const Expr row = r_.below(2) ? constant("ROW") : literal(r_, r_.below(8), false);
      const Expr col = r_.below(2) ? constant("COL") : literal(r_, r_.below(16), false);
      const std::string text = r_.below(4) ? title : earlierTitle();
      puts(row, col, text);
      return "PUTS(" + row.text + "," + col.text + "," + text + ")";
    }
    case 4:
    case 5: {
      const Expr row = constant("ROW"), col = constant("COL");
      const Expr var = named(ram_);
      showNum(row, col, var.chain[0].second);
      return "SHOWNUM(" + row.text + "," + col.text + "," + var.text + ")";
    }
    case 6:
    case 7:
    case 8: {
      const Expr x = byte(), y = byte();
      sprite(x, y, pic);
      return "SPRITE(" + x.text + "," + y.text + "," + pic + ")";
    }
    case 9:
    case 10: {
      const std::size_t i = r_.below(static_cast<unsigned>(buffers_.size()));
      const Expr dest = buffers_[i], count = sizes_[i], value = byte();
      fill(dest, count, value);
      return "FILL(" + dest.text + "," + count.text + "," + value.text + ")";
    }
    case 11: {
      const Expr key = constant("KEY");
      waitKey(key);
      return "WAITKEY(" + key.text + ")";
    }
    case 12: {
      const Expr count = r_.below(2) ? constant("DELAY") : literal(r_, 1 + r_.below(255), false);
      delay(count);
      return "DELAY(" + count.text + ")";
    }
    case 13:
    case 14: {
      const Expr var = named(ram_), value = r_.below(2) ? constant("COUNT") : word();
      add16(var.chain[0].second, value);
      return "ADD16(" + var.text + "," + value.text + ")";
    }
    case 15: {
      const Expr x = byte(), y = byte();
      screen(title, x, y, pic);
      return "SCREEN(" + title + "," + x.text + "," + y.text + "," + pic + ")";
    }
    case 16: {
      const Expr row = literal(r_, r_.below(6), false);
      const Expr first = named(ram_), second = named(ram_);
      status(row, first.chain[0].second, second.chain[0].second);
      return "STATUS(" + row.text + "," + first.text + "," + second.text + ")";
    }
    case 17: {
      const Expr level = constant("COUNT");
      newLevel(level, title, pic);
      return "NEWLEVEL(" + level.text + "," + title + "," + pic + ")";
    }
    case 18:
    case 19:
    case 20:
    case 21: {
      const Expr rom = named(rom_);
      bcall(rom.chain[0].second);
      return std::string(r_.below(2) ? "b_call(" : "bcall(") + rom.text + ")";
    }
    case 22:
    case 23:
    case 24: {
      const Expr v = byte();
      out("ld", "a," + n(v), 2);
      return "ld a," + v.text;
    }
    case 25:
    case 26: {
      const Expr key = constant("KEY");
      out("cp", n(key), 2);
      return "cp " + key.text;
    }
    case 27:
    case 28: {
      const Expr v = word();
      out("ld", "hl," + n(v), 3);
      return "ld hl," + v.text;
    }
    case 29: {
      const Expr var = named(ram_);
      out("ld", "(" + n(var) + "),a", 3);
      return "ld (" + var.text + "),a";
    }
    case 30: {
      const Expr var = named(ram_);
      out("ld", "a,(" + n(var) + ")", 3);
      return "ld a,(" + var.text + ")";
    }
    case 31:
    case 32: {
      const std::string to = earlier();
      out("call", to, 3);
      return "call " + to;
    }
    case 33: {
      const std::string to = earlier();
      out("jp", "z," + to, 3);
      return "jp z," + to;
    }
    case 34: {
      const Expr v = byte();
      out("add", "a," + n(v), 2);
      return "add a," + v.text;
    }
    case 35: {
      const Expr v = byte();
      out("and", n(v), 2);
      return "and " + v.text;
    }
    case 36: {
      const Expr v = constant("KEY");
      out("inc", "a", 1);
      out("cp", n(v), 2);
      return "inc a \\ cp " + v.text;
    }
    case 37:
      out("push", "hl", 1);
      out("pop", "de", 1);
      return "push hl \\ pop de";
    case 38: {
      const Expr v = byte();
      out("ld", "b," + n(v), 2);
      return "ld b," + v.text;
    }
    default:
      out("or", "a", 1);
      out("ret", "z", 1);
      return "or a \\ ret z";
    }
  }

  std::vector<std::string> titles_;
  std::string earlierTitle() {
    return titles_.empty() ? "scoreText" : titles_[r_.below(static_cast<unsigned>(titles_.size()))];
  }

  std::string data(const std::string& name, const std::string& words, bool string) {
    label(name);
    if (string) {
      out(".db", "\"" + words + "\",0", words.size() + 1);
      return name + ":\tSTR(\"" + words + "\")\n";
    }
    std::string args, plainArgs;
    for (int i = 0; i < 8; ++i) {
      const Expr e = literal(r_, r_.below(256), false);
      args += (i ? "," : "") + e.text;
      plainArgs += (i ? "," : "") + n(e);
    }
    out(".db", plainArgs, 8);
    return name + ":\tROW8(" + args + ")\n";
  }

  std::string page(int p) {
    routines_.clear();
    titles_.clear();
    const std::size_t start = bytes;
    std::string text = "; Page " + std::to_string(p) + " of the program.\n; " + sentence(10) +
                       "\n\n\t.org\t9327h\n";
    plain += "\t.org\t9327h\n";
    for (std::size_t i = 0; bytes - start < kPageBytes; ++i) {
      const std::string name = p == 1 && i == 0 ? "putSprite"
                                                : pick(r_, kRoutineVerbs) +
                                                      std::string(pick(r_, kRoutineNouns)) + "_" +
                                                      std::to_string(p) + "_" + std::to_string(i);
      const std::string title = "title_" + std::to_string(p) + "_" + std::to_string(i);
      const std::string pic = "pic_" + std::to_string(p) + "_" + std::to_string(i);
      fresh(name);
      routines_.push_back(name);
      text += ";--------------------------------------------------------------------\n; " + name +
              ": " + sentence(8) + "\n";
      for (unsigned k = 2 + r_.below(4); k > 0; --k)
        text += "; " + sentence(9 + r_.below(4)) + "\n";
      text += ";--------------------------------------------------------------------\n";
      label(name);
      const bool withFirst = r_.below(3) == 0;
      text += name + ":" + (withFirst ? "" : "\n");
      for (unsigned k = 6 + r_.below(11); k > 0; --k) {
        text += '\t' + statement(title, pic);
        if (r_.below(3) == 0) text += "\t; " + sentence(3 + r_.below(5));
        text += '\n';
      }
      text += "\tret\n";
      out("ret", "", 1);
      text += data(title, sentence(1 + r_.below(2)), true);
      text += data(pic, "", false);
      titles_.push_back(title);
      if (p == 1 && i == 0) {
        text += data("scoreText", "Score", true);
        text += data("livesText", "Lives", true);
      }
      text += '\n';
    }
    return text;
  }
};

struct Run {
  double milliseconds = 0;
  long maxRssKb = 0;
};

// Starts the program, its output going to a log, and waits for it. A child's peak memory
// (ru_maxrss) counts what the process held when the child was forked, so this one keeps
// little: the program to assemble is made by a process of its own (make below). Started
// with posix_spawn, which shares this process's memory until the exec, a child would be
// counted this process's peak instead.
Run run(const std::string& program, const std::vector<std::string>& args, const fs::path& log) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("bench_asm: fork");
    std::exit(1);
  }
  if (pid == 0) {
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || in < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    execvp(argv[0], argv.data());
    dprintf(2, "cannot start %s: %s\n", argv[0], std::strerror(errno));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0)
    if (errno != EINTR) {
      std::perror("bench_asm: wait4");
      std::exit(1);
    }
  Run result{millisecondsSince(start), usage.ru_maxrss};
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "bench_asm: %s failed (%s %d); its output, in %s:\n", program.c_str(),
                 WIFEXITED(status) ? "exit code" : "signal",
                 WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status), log.c_str());
    std::ifstream in(log);
    std::string line;
    for (int n = 0; n < 20 && std::getline(in, line); ++n)
      std::fprintf(stderr, "  %s\n", line.c_str());
    std::exit(1);
  }
  return result;
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out.flush()) {
    std::fprintf(stderr, "bench_asm: cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

struct Made {
  std::size_t sourceBytes = 0, codeBytes = 0;
  // The macro program: its files' text together, its lines, its files; the plain one's text.
  std::size_t macroSourceBytes = 0, macroLines = 0, macroFiles = 0, plainSourceBytes = 0,
              macroCodeBytes = 0;
};

constexpr std::size_t kMinMacroSource = 1u << 20;

// Writes the program in both dialects into the folder, and the macro program (in the
// folder "macro") with its plain twin, from a child process, so that its memory is never
// this process's (see run).
Made make(const fs::path& dir) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) {
    std::perror("bench_asm: pipe");
    std::exit(1);
  }
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("bench_asm: fork");
    std::exit(1);
  }
  if (pid == 0) {
    close(pipeFds[0]);
    const Sources sources = program();
    writeFile(dir / "program.asm", sources.tavasm);
    writeFile(dir / "program_pasmo.asm", sources.pasmo);
    Made made{sources.tavasm.size(), sources.bytes};
    const MacroProgram macro;
    fs::create_directory(dir / "macro");
    for (const auto& [name, text] : macro.files) {
      writeFile(dir / "macro" / name, text);
      made.macroSourceBytes += text.size();
      made.macroLines += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }
    made.macroFiles = macro.files.size();
    writeFile(dir / "plain.asm", macro.plain);
    made.plainSourceBytes = macro.plain.size();
    made.macroCodeBytes = macro.bytes;
    if (made.macroSourceBytes < kMinMacroSource || macro.bytes >= 65536) {
      std::fprintf(stderr,
                   "bench_asm: the macro program is %zu bytes of source (at least %zu wanted) "
                   "and %zu bytes of code (under 64 KB wanted)\n",
                   made.macroSourceBytes, kMinMacroSource, macro.bytes);
      _exit(2);
    }
    _exit(::write(pipeFds[1], &made, sizeof made) == sizeof made ? 0 : 1);
  }
  close(pipeFds[1]);
  Made made;
  const bool read = ::read(pipeFds[0], &made, sizeof made) == sizeof made;
  close(pipeFds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "bench_asm: the program could not be made in %s\n", dir.c_str());
    std::exit(1);
  }
  return made;
}

// Both outputs must be the program's bytes; the folder is kept when they differ.
void compare(const fs::path& dir, const char* one, const char* other, std::size_t size) {
  const std::string ours = contents(dir / one), theirs = contents(dir / other);
  if (ours == theirs && ours.size() == size) return;
  std::size_t at = 0;
  while (at < ours.size() && at < theirs.size() && ours[at] == theirs[at])
    ++at;
  std::fprintf(stderr,
               "bench_asm: the outputs differ: %s %zu bytes, %s %zu bytes, program %zu "
               "bytes, first difference at byte %zu; sources and outputs in %s\n",
               one, ours.size(), other, theirs.size(), size, at, dir.c_str());
  std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 11;
  const std::string tavasm = argc > 2 ? argv[2] : TAVASM_PATH;
  const std::string pasmo = argc > 3 ? argv[3] : "pasmo";

  std::string pattern = (fs::temp_directory_path() / "bench_asm.XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("bench_asm: mkdtemp");
    return 1;
  }
  const fs::path dir = pattern;
  const Made made = make(dir);
  const std::vector<std::string> tavasmArgs = {(dir / "program.asm").string(),
                                               (dir / "tavasm.bin").string()};
  const std::vector<std::string> pasmoArgs = {(dir / "program_pasmo.asm").string(),
                                              (dir / "pasmo.bin").string()};
  const std::vector<std::string> macroArgs = {(dir / "macro" / "main.asm").string(),
                                              (dir / "macro.bin").string()};
  const std::vector<std::string> plainArgs = {(dir / "plain.asm").string(),
                                              (dir / "plain.bin").string()};

  // Once each before the rounds, so that both find the files and programs in the cache.
  run(tavasm, tavasmArgs, dir / "tavasm.log");
  run(pasmo, pasmoArgs, dir / "pasmo.log");
  compare(dir, "tavasm.bin", "pasmo.bin", made.codeBytes);
  run(tavasm, macroArgs, dir / "macro.log");
  run(tavasm, plainArgs, dir / "plain.log");
  compare(dir, "macro.bin", "plain.bin", made.macroCodeBytes);

  Pair time, memory, macroTime, macroMemory;
  for (int i = 0; i < rounds; ++i) {
    const Run ours = run(tavasm, tavasmArgs, dir / "tavasm.log");
    const Run theirs = run(pasmo, pasmoArgs, dir / "pasmo.log");
    compare(dir, "tavasm.bin", "pasmo.bin", made.codeBytes);
    const Run macro = run(tavasm, macroArgs, dir / "macro.log");
    const Run plain = run(tavasm, plainArgs, dir / "plain.log");
    compare(dir, "macro.bin", "plain.bin", made.macroCodeBytes);
    macroTime.measured.push_back(macro.milliseconds);
    macroTime.baseline.push_back(plain.milliseconds);
    macroMemory.measured.push_back(static_cast<double>(macro.maxRssKb));
    macroMemory.baseline.push_back(static_cast<double>(plain.maxRssKb));
    time.measured.push_back(ours.milliseconds);
    time.baseline.push_back(theirs.milliseconds);
    memory.measured.push_back(static_cast<double>(ours.maxRssKb));
    memory.baseline.push_back(static_cast<double>(theirs.maxRssKb));
  }
  time.report("asm_time");
  memory.report("asm_memory");
  std::printf("# asm: %zu lines, %zu bytes of source, %zu bytes of code, %d rounds\n", kLines,
              made.sourceBytes, made.codeBytes, rounds);
  macroTime.report("asm_macro_time");
  macroMemory.report("asm_macro_memory");
  std::printf("# asm_macro: %zu files, %zu lines, %zu bytes of source with macros, %zu bytes "
              "written out, %zu bytes of code\n",
              made.macroFiles, made.macroLines, made.macroSourceBytes, made.plainSourceBytes,
              made.macroCodeBytes);
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return 0;
}
