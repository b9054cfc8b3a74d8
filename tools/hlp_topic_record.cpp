#include "hlp_topic_record.h"

#include "help_context_name.h"
#include "hlp_bytes.h"
#include "hlp_fonts.h"

#include <string>

namespace tavrin::help::detail {
namespace {

// Text commands inside a paragraph's format data.
namespace command {
constexpr std::uint8_t kFont = 0x80;
constexpr std::uint8_t kLineBreak = 0x81;
constexpr std::uint8_t kEndOfParagraph = 0x82;
constexpr std::uint8_t kTab = 0x83;
constexpr std::uint8_t kEndOfJump = 0x89;
constexpr std::uint8_t kJump = 0xE3; // jump to a topic, drawn underlined in green
constexpr std::uint8_t kEnd = 0xFF;
} // namespace command

struct Format {
  Font font;
  std::uint16_t bits; // paragraph settings present
  int spaceBelow;     // bit 0x0004
  int leftIndent;     // bit 0x0010
  int firstIndent;    // bit 0x0040
};

constexpr Format kTitleFormat{kFontTitle, 0x0004, 10, 0, 0};

Format formatOf(Style style) {
  switch (style) {
  case Style::Heading:
    return {kFontHeading, 0x0006, 6, 0, 0}; // bit 0x0002: space above
  case Style::ListItem:
    return {kFontText, 0x0054, 6, 36, -18};
  case Style::Code:
    return {kFontCode, 0x0014, 10, 12, 0};
  case Style::Text:
    break;
  }
  return {kFontText, 0x0004, 10, 0, 0};
}

// A paragraph's text as the record holds it: the strings between the commands, the
// commands, and the characters they count.
struct EncodedText {
  Bytes strings;
  Bytes commands;
  unsigned characters = 0;
};

EncodedText encodeText(const Paragraph& p, Font font) {
  EncodedText out;
  std::string current = p.style == Style::ListItem ? "\x95\t" : "";
  auto flush = [&] {
    out.strings.cstr(current);
    out.characters += unsigned(current.size());
    current.clear();
  };
  flush();
  out.commands.u8(command::kFont);
  out.commands.u16(font);
  for (const Span& span : p.spans) {
    if (!span.target.empty()) {
      flush();
      out.commands.u8(command::kJump);
      out.commands.i32(contextHash(span.target));
    }
    for (char c : span.text) {
      if (c == '\n' || c == '\t') {
        flush();
        out.commands.u8(c == '\n' ? command::kLineBreak : command::kTab);
        ++out.characters;
      } else {
        current += c;
      }
    }
    if (!span.target.empty()) {
      flush();
      out.commands.u8(command::kEndOfJump);
    }
  }
  flush();
  out.commands.u8(command::kEndOfParagraph);
  ++out.characters;
  flush();
  out.commands.u8(command::kEnd);
  return out;
}

// The record's first data: the sizes, the paragraph settings, then the commands. A list
// item has a tab stop after its bullet, where the hanging text starts.
Bytes settingsAndCommands(const Format& f, bool listItem, const EncodedText& text) {
  Bytes d1;
  d1.compressedLong(std::int32_t(text.strings.size()));
  d1.compressedUShort(text.characters);
  d1.u8(0);    // unknown
  d1.u8(0x80); // unknown, biased zero
  d1.u16(0);   // paragraph id
  d1.u16(listItem ? f.bits | 0x0200 : f.bits);
  if (f.bits & 0x0002) d1.compressedShort(12);
  if (f.bits & 0x0004) d1.compressedShort(f.spaceBelow);
  if (f.bits & 0x0010) d1.compressedShort(f.leftIndent);
  if (f.bits & 0x0040) d1.compressedShort(f.firstIndent);
  if (listItem) {
    d1.compressedShort(1);                       // one tab stop,
    d1.compressedUShort(unsigned(f.leftIndent)); // left-aligned at the indent
  }
  d1.bytes(text.commands.data);
  return d1;
}

Record textRecord(const Paragraph& p, const Format& f, std::size_t index) {
  EncodedText text = encodeText(p, f.font);
  Record r;
  r.type = kRecordText;
  r.linkData1 = settingsAndCommands(f, p.style == Style::ListItem, text).data;
  r.linkData2 = std::move(text.strings.data);
  r.characters = text.characters;
  r.topic = index;
  return r;
}

} // namespace

Record topicHeaderRecord(const Topic& topic, std::size_t index) {
  Record header;
  header.type = kRecordTopicHeader;
  header.linkData1.resize(28);
  header.linkData2.assign(topic.title.begin(), topic.title.end());
  header.topic = index;
  return header;
}

Record titleRecord(const Topic& topic, std::size_t index) {
  return textRecord(Paragraph{Style::Text, {Span{topic.title, {}}}}, kTitleFormat, index);
}

Record paragraphRecord(const Paragraph& p, std::size_t index) {
  return textRecord(p, formatOf(p.style), index);
}

} // namespace tavrin::help::detail
