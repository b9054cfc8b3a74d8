// tavasm's command line: tavasm [-I DIR]... [-D NAME[=VALUE]]... SOURCE [OUTPUT]
// Exits 0 when OUTPUT is written, 1 when the source (or OUTPUT's name) has an error and
// OUTPUT is left as it was, 2 when the command line is wrong.
#include "asm/asm_error.h"
#include "asm/assembler.h"
#include "asm/host_files.h"
#include "asm/token.h"
#include "asm/ti83_program.h"

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: tavasm [-I DIR]... [-D NAME[=VALUE]]... SOURCE [OUTPUT]\n"
    "Assembles SOURCE into OUTPUT, by default SOURCE with the extension .83p.\n"
    "OUTPUT ending in .83p is a TI-83 program, run with Send(9prgmNAME; ending in .bin,\n"
    "the bytes alone.\n"
    "  -I DIR           looks for #include files in DIR too (after the including file's\n"
    "                   folder; the include folder beside tavasm is searched last)\n"
    "  -D NAME[=VALUE]  defines NAME as #define NAME VALUE would\n";

enum class Format { Ti83, Binary };

struct CommandLine {
  std::string source, output;
  Format format = Format::Ti83;
  tavasm::Options options;
  std::string error; // what is wrong with the command line
};

// Where the extension starts (its '.'), or path.size() when the base name has none.
size_t extensionStart(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("/\\:");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path.size();
  return dot;
}

bool validName(const std::string& name) {
  if (name.empty() || tavasm::isDigit(name[0])) return false;
  for (char c : name)
    if (!tavasm::isWordChar(c)) return false;
  return true;
}

CommandLine parse(const std::vector<std::string>& args) {
  CommandLine cl;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() >= 2 && a[0] == '-' && (a[1] == 'I' || a[1] == 'D')) {
      std::string value = a.substr(2);
      if (value.empty()) {
        if (i + 1 == args.size()) {
          cl.error = a + " needs a value";
          return cl;
        }
        value = args[++i];
      }
      if (a[1] == 'I') {
        cl.options.includeDirs.push_back(value);
        continue;
      }
      const size_t eq = value.find('=');
      const std::string name = value.substr(0, eq);
      if (!validName(name)) {
        cl.error = "-D " + value + ": \"" + name + "\" is not a name";
        return cl;
      }
      cl.options.defines.emplace_back(name, eq == std::string::npos ? "" : value.substr(eq + 1));
    } else if (!a.empty() && a[0] == '-') {
      cl.error = "unknown option " + a;
      return cl;
    } else {
      files.push_back(a);
    }
  }
  if (files.empty() || files.size() > 2) {
    cl.error = files.empty() ? "no SOURCE given" : "too many files: " + files[2];
    return cl;
  }
  cl.source = files[0];
  cl.output =
      files.size() == 2 ? files[1] : cl.source.substr(0, extensionStart(cl.source)) + ".83p";
  const std::string extension = tavasm::lowered(cl.output.substr(extensionStart(cl.output)));
  if (extension == ".bin")
    cl.format = Format::Binary;
  else if (extension != ".83p")
    cl.error = "OUTPUT " + cl.output + " must end in .83p or .bin";
  return cl;
}

} // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
    std::cout << kUsage;
    return 0;
  }
  CommandLine cl = parse(args);
  if (!cl.error.empty()) {
    if (!args.empty()) std::cerr << "tavasm: " << cl.error << '\n';
    std::cerr << kUsage;
    return 2;
  }
  const std::string exeDir = tavasm::executableDir();
  if (!exeDir.empty())
    cl.options.includeDirs.push_back(
        exeDir + (exeDir.find('\\') != std::string::npos ? "\\include" : "/include"));

  // The output must never take the place of a file the program is made from.
  auto overwrites = [&](const std::string& input) {
    if (!tavasm::sameFile(input, cl.output)) return false;
    std::cerr << "tavasm: OUTPUT " << cl.output << " is " << input
              << (input == cl.source ? ", the source" : ", which the source includes")
              << "; it is not written. Name another OUTPUT.\n";
    return true;
  };
  if (overwrites(cl.source)) return 2;

  tavasm::DiskFiles files;
  const tavasm::Program program = tavasm::assemble(cl.source, files, cl.options);
  for (const auto& echo : program.echoes)
    std::cout << echo;
  std::cout.flush();
  std::cerr << tavasm::report(program, cl.source);
  for (const auto& input : program.files)
    if (overwrites(input)) return 2;

  bool failed = !program.ok();
  auto report = [&](bool error, const std::string& text) {
    std::cerr << tavasm::format(tavasm::Message{cl.output, 0, 0, error, text, {}, {}}) << '\n';
    failed = failed || error;
  };
  std::vector<std::uint8_t> bytes = program.bytes;
  if (cl.format == Format::Ti83) {
    const tavasm::ProgramName name = tavasm::programName(cl.output);
    for (const auto& warning : name.warnings)
      report(false, warning);
    if (!failed && program.bytes.empty())
      report(false, "the program has no code: running it does nothing");
    else if (!failed && program.origin != tavasm::kTi83Start)
      report(false, "the program starts at " + tavasm::hex4(program.origin) +
                        ", but Send(9 runs programs at 9327h: put .org 9327h before the code");
    if (!name.error.empty()) {
      report(true, name.error);
    } else if (!failed) {
      try {
        bytes = tavasm::ti83File(program.bytes, name.name);
      } catch (const tavasm::AsmError& e) {
        report(true, e.what());
      }
    }
  }
  if (failed) return 1;
  std::string error;
  if (!tavasm::writeReplacing(cl.output, bytes, error)) {
    report(true, error);
    return 1;
  }
  return 0;
}
