// Makes Tavrin's help file from its text.
//
//   hlp_writer <helpfile.txt> <out.hlp>
//
// The text's form is described in help_parser.h, the file's in hlp_file.h.
#include "help_parser.h"
#include "hlp_file.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: hlp_writer <helpfile.txt> <out.hlp>\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the file");
    const std::string source((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    const std::vector<std::uint8_t> file =
        tavrin::help::writeHelpFile(tavrin::help::parseHelpText(source));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    out.close();
    if (!out) {
      std::cerr << argv[2] << ": cannot write the file\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << argv[1] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
