// tavasm against pasmo on the same 22,000-line Z80 program: the wall time of each run, from
// the start of the process to its exit, and its peak resident memory. The two are run in
// turn, round after round, and their outputs must be the same bytes.
// Usage: bench_asm [rounds] [tavasm] [pasmo]
#include "bench_common.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
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
  unsigned below(unsigned n) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<unsigned>(state_ >> 33) % n;
  }

private:
  std::uint64_t state_ = 0x5eed;
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
};

// Writes the program in both dialects into the folder, from a child process, so that its
// memory is never this process's (see run).
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
    const Made made{sources.tavasm.size(), sources.bytes};
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
void compare(const fs::path& dir, std::size_t size) {
  const std::string ours = contents(dir / "tavasm.bin"), theirs = contents(dir / "pasmo.bin");
  if (ours == theirs && ours.size() == size) return;
  std::size_t at = 0;
  while (at < ours.size() && at < theirs.size() && ours[at] == theirs[at])
    ++at;
  std::fprintf(stderr,
               "bench_asm: the outputs differ: tavasm %zu bytes, pasmo %zu bytes, program %zu "
               "bytes, first difference at %zu (0x%04zx); sources and outputs in %s\n",
               ours.size(), theirs.size(), size, at, at, dir.c_str());
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

  // Once each before the rounds, so that both find the files and programs in the cache.
  run(tavasm, tavasmArgs, dir / "tavasm.log");
  run(pasmo, pasmoArgs, dir / "pasmo.log");
  compare(dir, made.codeBytes);

  Pair time, memory;
  for (int i = 0; i < rounds; ++i) {
    const Run ours = run(tavasm, tavasmArgs, dir / "tavasm.log");
    const Run theirs = run(pasmo, pasmoArgs, dir / "pasmo.log");
    compare(dir, made.codeBytes);
    time.measured.push_back(ours.milliseconds);
    time.baseline.push_back(theirs.milliseconds);
    memory.measured.push_back(static_cast<double>(ours.maxRssKb));
    memory.baseline.push_back(static_cast<double>(theirs.maxRssKb));
  }
  time.report("asm_time");
  memory.report("asm_memory");
  std::printf("# asm: %zu lines, %zu bytes of source, %zu bytes of code, %d rounds\n", kLines,
              made.sourceBytes, made.codeBytes, rounds);
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return 0;
}
