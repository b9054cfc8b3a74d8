// The source dialect tavasm reads and the messages it gives: each case one small source and
// the bytes it assembles to, or a message it must give.
#include "unit/asm_memory_files.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* name;
  std::string source;
  std::string expected; // the bytes in hex, or for an error a piece of one message
  std::map<std::string, std::string> others = {};
  tavasm::Options options = {};
};

tavasm::Program run(const Case& c) {
  MemoryFiles files;
  files.files = c.others;
  files.files["t.z80"] = c.source;
  return tavasm::assemble("t.z80", files, c.options);
}

const std::vector<Case> kAssembles = {
    {"names are case-insensitive", "Str1 .equ 5\n\tLD A,str1\n", "3E 05"},
    {"label in column 1 without colon, forward jump", "\t.org 0\n\tjp later\nlater\tret\n",
     "C3 03 00 C9"},
    {"indented label with colon", "\t.org 0\n\tloop: djnz loop\n", "10 FE"},
    {"backslash separates statements", "\tnop \\ ret\\ .db 'a'\n", "00 C9 61"},
    {"function-like macro", "_puts = 470Dh\n#define b_call(x) rst 28h \\ .dw x\n\tb_call(_puts)\n",
     "EF 0D 47"},
    {"macros replace whole words", "#define equ .equ\nx equ 5\nequx .equ 6\n\t.db x,equx\n",
     "05 06"},
    {"macros are case-insensitive", "#define Two 2\n\t.db TWO, two\n", "02 02"},
    {"numbers", "\t.db 10, 0Ah, $0A, %1010, 1010b, 12o, @12, 'A', 0x0A\n\t.dw 9327h\n",
     "0A 0A 0A 0A 0A 0A 0A 41 0A 27 93"},
    {"operators left to right",
     "\t.db 1+2*3, 1+(2*3), 7%4, 1<<3|1, 6&3^1, 2==2, 3<2, 2>=2, 1!=1, ~0&0FFh, -1, 16>>2/2\n",
     "09 07 03 09 03 01 00 01 00 FF FF 02"},
    {"string escapes", "\t.db \"a\\n\\t\\\\\\\"\",0\n\t.text \"hi\"\n\t.byte '\\''\n",
     "61 0A 09 5C 22 00 68 69 27"},
    {"location counter", "\t.org 10h\n\t.dw $\n\t.word $+1\n", "10 00 13 00"},
    {"block and fill", "\t.org 0\n\t.db 1\n\t.block 2\n\t.db 2\n\t.fill 2,0AAh\n\t.fill 1\n",
     "01 00 00 02 AA AA 00"},
    {".org to a value defined further on", "\t.org 0\n\t.db 1\n\t.org x\n\tjp $\nx .equ 3\n",
     "01 C3 03 00"},
    {".end ends the source", "\tnop\n\t.end\n\tnot an instruction\n", "00"},
    {"nested conditions",
     "#define A\n#ifdef A\n#ifndef B\n\t.db 1\n#else\n\t.db 2\n#endif\n#else\n\t.db 3\n#endif\n#if "
     "2>1\n\t.db 4\n#endif\n",
     "01 04"},
    {"#defcont and #undef",
     "#define X .db 1\n#defcont \\ .db 2\n\tX\n#undef X\n#ifdef X\n\t.db 9\n#endif\n", "01 02"},
    {"anonymous labels",
     "\t.org 0\n_\tnop\n\tjr -_\n\tjr +_\n\tjr _\n\tjr ++_\n_\tnop\n_\tnop\n\tjr --_\n",
     "00 18 FD 18 04 18 02 18 01 00 00 18 FC"},
    {"a mnemonic names a symbol", "Ld .equ 5\n\tld a,Ld\n", "3E 05"},
    {".addinstr", "\t.addinstr BCALL * CD 3 NOP 1\n\tbcall 4755h\n\tBCALL(_x)\n_x = 1234h\n",
     "CD 55 47 CD 34 12"},
    {"a, before the operand of sub and the like",
     "\tsub a,b\n\tcp a,5\n\tand a,(hl)\n\txor a,a\n\tor a,c\n", "90 FE 05 A6 AF B1"},
    {"= and .equ", "x = 3+1\ny: .equ x*2\n\t.db x,y\n", "04 08"},
    {"a UTF-8 byte order mark", "\xEF\xBB\xBFx = 1\n\t.db x\n", "01"},
    {"comments, CR LF lines and blanks", "; a comment\r\n\tnop ; more\r\n\r\n\t.db \";\" ; ;\r\n",
     "00 3B"},
    {"includes: the includer's folder, then -I folders",
     "#include \"inc/a.inc\"\n#include <c.inc>\n\t.db X,Y,W\n",
     "03 04 05",
     {{"inc/a.inc", "X .equ 3\n#include \"b.inc\"\n"},
      {"inc/b.inc", "Y .equ 4\n"},
      {"lib/c.inc", "W .equ 5\n"}},
     {{"lib"}, {}}},
    {"-D defines a macro",
     "#ifdef FAST\n\t.db SPEED\n#endif\n",
     "09",
     {},
     {{}, {{"FAST", ""}, {"SPEED", "9"}}}},
};

TEST(AsmDialect, Assembles) {
  for (const auto& c : kAssembles) {
    const auto p = run(c);
    EXPECT_EQ(allMessages(p), "") << c.name;
    EXPECT_EQ(hexBytes(p.bytes), c.expected) << c.name;
  }
}

const std::vector<Case> kErrors = {
    {"undefined symbol", "\tjp nowhere\n", "t.z80:1:5: error: undefined symbol nowhere"},
    {"duplicate label", "x\tnop\nx\tnop\n",
     "t.z80:2:1: error: duplicate label x (first defined at t.z80:1)"},
    {"byte too large", "\tld a,256\n",
     "t.z80:1:7: error: value 256 is out of range for a byte (-128..255): 256"},
    {"byte too small", "\t.db -129\n", "value -129 is out of range for a byte"},
    {"word too large", "\t.dw 65536\n", "value 65536 is out of range for a word (-32768..65535)"},
    {"relative jump too far", "\t.org 0\n\tjr 130\n", "jump target 130 is 128 bytes away"},
    {"index offset too far", "\tld a,(ix+128)\n",
     "value 128 is out of range for an index offset (-128..127)"},
    {"unknown instruction", "\tfoo a\n", "unknown instruction foo"},
    {"interrupt mode defined further on", "\tim x\nx = 3\n",
     "out of range for an interrupt mode (0..2): x"},
    {"unknown operand form", "\tld (bc),b\n", "no form of ld takes the operands \"(bc),b\""},
    {"ixh beside h", "\tld ixh,h\n", "no form of ld"},
    {"ix beside iy", "\tld ixh,iyl\n", "no form of ld"},
    {"jr on a parity condition", "\tjr po,0\n", "no form of jr"},
    {"NUL byte", std::string("\tnop\0\n", 6), "t.z80: error: the file holds a NUL byte"},
    {"unclosed string", "\t.db \"abc\n", "unclosed string"},
    {"#if without #endif", "#if 1\n\tnop\n", "t.z80:1:1: error: #if without #endif"},
    {"#endif without #if", "#endif\n", "#endif without #if"},
    {"missing include names the folders",
     "#include \"x.inc\"\n",
     "can't find include file \"x.inc\"; looked in ., lib/",
     {},
     {{"lib"}, {}}},
    {"macro that expands itself", "#define a b\n#define b a\n\tld a,1\n",
     "macro a expands itself: a -> b -> a"},
    {"include that includes itself", "#include \"t.z80\"\n",
     "includes nest deeper than 32 files: t.z80 -> t.z80"},
    {"statement in column 1", "(x) nop\n", "starts in the first column, where a label goes"},
    {"division by zero", "\t.db 1/0\n", "division by zero"},
    {"bad number", "\t.db 12x\n", "bad number '12x'"},
    {"an included file's own name and line",
     "#include \"a.inc\"\n",
     "a.inc:2:2: error: unknown instruction foo",
     {{"a.inc", "\tnop\n\tfoo\n"}}},
    {"missing source", "", "t.z80: error: can't read the file", {}, {}},
    {"past the end of memory", "\t.org 0FFFFh\n\t.dw 1\n", "the program runs past address FFFFh"},
};

TEST(AsmDialect, Errors) {
  for (const auto& c : kErrors) {
    MemoryFiles files;
    files.files = c.others;
    if (std::string(c.name) != "missing source") files.files["t.z80"] = c.source;
    const auto p = tavasm::assemble("t.z80", files, c.options);
    EXPECT_FALSE(p.ok()) << c.name;
    EXPECT_NE(allMessages(p).find(c.expected), std::string::npos) << c.name << "\n"
                                                                  << allMessages(p);
  }
}

TEST(AsmDialect, MessagesComeInSourceOrderAndStopAtFifty) {
  // The duplicate is found in the first pass and the undefined symbol in the second.
  auto p = run({"order", "\tjp nowhere\nx nop\nx nop\n", ""});
  EXPECT_EQ(allMessages(p), "t.z80:1:5: error: undefined symbol nowhere\n"
                            " \tjp nowhere\n"
                            " \t   ^\n"
                            "t.z80:3:1: error: duplicate label x (first defined at t.z80:2)\n"
                            " x nop\n"
                            " ^\n");
  std::string many;
  for (int i = 0; i < 80; ++i)
    many += "\tfoo\n";
  p = run({"many", many, ""});
  ASSERT_EQ(p.messages.size(), static_cast<size_t>(tavasm::kMaxErrors));
  EXPECT_EQ(p.messages.back().line, tavasm::kMaxErrors);
}

TEST(AsmDialect, HugeSourceAssemblesInOnePiece) {
  // 50 MB: comments and a few bytes, which must neither hang nor use memory per byte of text
  // beyond the text itself.
  std::string line = "\t.db 1 ; " + std::string(90, 'x') + "\n";
  std::string source = "\t.org 0\n";
  while (source.size() < (50u << 20))
    source += line;
  const auto p = run({"huge", source, ""});
  EXPECT_EQ(allMessages(p), "t.z80:" + std::to_string(0x10000 + 2) +
                                ":2: error: the program runs past address FFFFh\n " + line +
                                " \t^\n");
}

} // namespace
