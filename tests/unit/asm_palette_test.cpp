// The program a user builds from the palette (Start, Clear Screen, Big Text, Close, Text
// String), as the editor saves it, assembles with the kit's include files to the code
// worked out from the Z80 opcode tables, and its .83p reads back field by field.
#include "asm/ti83_program.h"
#include "snippets/snippet_table.h"
#include "unit/asm_memory_files.h"
#include "unit/asm_ti83_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using tavrin::SnippetId;

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return {std::istreambuf_iterator<char>(in), {}};
}

// The include files the palette's header names, as the kit ships them.
void addKitIncludes(MemoryFiles& files) {
  for (const char* name : {"ti83asm.inc", "tokens.inc"})
    files.files[name] = readAll(std::string(TAVRIN_SOURCE_DIR "/kit/include/") + name);
}

TEST(AsmPalette, FiveFragmentsMakeTheProgramWorkedOutByHand) {
  std::string source;
  for (auto id : {SnippetId::Start, SnippetId::ClearScreen, SnippetId::BigText, SnippetId::Close,
                  SnippetId::TextString})
    for (const auto& line : tavrin::snippetLines(id))
      source += line + "\r\n";
  MemoryFiles files;
  files.files["prog.z80"] = source;
  addKitIncludes(files);
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

TEST(AsmPalette, TheExampleProgramAssemblesWithTheKitsIncludeFiles) {
  MemoryFiles files;
  files.files["hello.z80"] = readAll(TAVRIN_SOURCE_DIR "/examples/hello.z80");
  addKitIncludes(files);
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
