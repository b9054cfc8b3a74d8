// The program a user builds from the palette (Start, Clear Screen, Big Text, Close, Text
// String), as the editor saves it, assembles to the code worked out from the Z80 opcode
// tables, and its .83p reads back field by field.
#include "asm/ti83_program.h"
#include "snippets/snippet_table.h"
#include "unit/asm_memory_files.h"
#include "unit/asm_ti83_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using tavrin::SnippetId;

TEST(AsmPalette, FiveFragmentsMakeTheProgramWorkedOutByHand) {
  std::string source;
  for (auto id : {SnippetId::Start, SnippetId::ClearScreen, SnippetId::BigText, SnippetId::Close,
                  SnippetId::TextString})
    for (const auto& line : tavrin::snippetLines(id))
      source += line + "\r\n";
  MemoryFiles files;
  files.files["prog.z80"] = source;
  files.files["ti83asm.inc"] =
      "_clrLCDFull equ 4755h\r\n_puts\tequ 470Dh\r\nCURROW equ 800Ch\r\nCURCOL equ 800Dh\r\n";
  files.files["tokens.inc"] = "tEnd equ 0D4h\r\n";
  const auto program = tavasm::assemble("prog.z80", files);
  ASSERT_EQ(allMessages(program), "");

  const std::string text =
      "50 75 74 20 79 6F 75 72 20 74 65 78 74 20 68 65 72 65 2E 00"; // "Put your text here.",0
  EXPECT_EQ(program.origin, 0x9327u);
  EXPECT_EQ(hexBytes(program.bytes), "CD 55 47 " // call _clrLCDFull
                                     "21 00 00 " // ld hl,0
                                     "22 0C 80 " // ld (CURROW),hl
                                     "21 00 00 " // ld hl,0
                                     "22 0D 80 " // ld (CURCOL),hl
                                     "21 3D 93 " // ld hl,str1: 9327h + 22 bytes
                                     "CD 0D 47 " // call _puts
                                     "C9 " +
                                         text); // ret, then Str1

  const auto name = tavasm::programName("C:\\My Programs\\prog.83p");
  ASSERT_EQ(name.error, "");
  const auto read = readTi83(tavasm::ti83File(program.bytes, name.name));
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(read.name, "PROG");
  EXPECT_EQ(read.code, program.bytes);
}

TEST(AsmPalette, TheExampleProgramAssembles) {
  std::ifstream in(TAVRIN_SOURCE_DIR "/examples/hello.z80", std::ios::binary);
  MemoryFiles files;
  files.files["hello.z80"] = {std::istreambuf_iterator<char>(in), {}};
  files.files["ti83asm.inc"] = "_clrLCDFull .equ 4755h\n_runIndicOff .equ 4795h\n_puts .equ 470Dh\n"
                               "CURROW .equ 800Ch\nCURCOL .equ 800Dh\n";
  files.files["tokens.inc"] = "";
  const auto program = tavasm::assemble("hello.z80", files);
  ASSERT_EQ(allMessages(program), "");
  EXPECT_EQ(hexBytes(program.bytes),
            "CD 55 47 CD 95 47 "    // call _clrLCDFull, call _runIndicOff
            "3E 03 32 0C 80 "       // ld a,3; ld (CURROW),a
            "3E 05 32 0D 80 "       // ld a,5; ld (CURCOL),a
            "21 3E 93 CD 0D 47 C9 " // ld hl,hello (9327h + 23); call _puts; ret
            "48 65 6C 6C 6F 00");
  EXPECT_EQ(readTi83(tavasm::ti83File(program.bytes, "HELLO")).error, "");
}

} // namespace
