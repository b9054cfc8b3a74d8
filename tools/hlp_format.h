// Tavrin's help text and the WinHelp 3.1 file made from it.
//
// The text (help/helpfile.txt) is plain lines:
//
//   # ...               a comment (only at the start of a line)
//   title: text         the help file's title (once, before the first topic)
//   = name Title        a new topic with the context name "name"; the first one is the
//                       contents topic, which the viewer shows first
//   == Heading          a heading inside a topic
//   - text              a list item
//   | code              a line of code in a fixed-pitch font (tabs are kept); lines next to
//                       each other form one block
//   [text](name)        a jump to the topic "name" (in running text, headings and list items)
//
// Any other line is running text: lines next to each other form one paragraph, and an
// empty line ends it. The text is 8-bit (Windows-1252).
//
// The help file is written uncompressed: the file header, the internal directory, and
// the internal files |SYSTEM (title, contents topic), |TOPIC (the topics in 4 KB blocks),
// |CONTEXT (context hash to topic), |CTXOMAP (help context 0 to the contents topic, for
// WinHelp calls), |TTLBTREE (topic titles) and |FONT (the fonts the text uses).
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::help {

// ---- The help text --------------------------------------------------------------------

enum class Style { Text, Heading, ListItem, Code };

// A run of text; a jump when `target` names a topic.
struct Span {
  std::string text;
  std::string target;
  bool operator==(const Span&) const = default;
};

// One paragraph. In Code paragraphs '\n' ends a line and '\t' is a tab.
struct Paragraph {
  Style style = Style::Text;
  std::vector<Span> spans;
  bool operator==(const Paragraph&) const = default;
};

struct Topic {
  std::string context;
  std::string title;
  std::vector<Paragraph> paragraphs;
};

struct HelpText {
  std::string title;
  std::vector<Topic> topics; // topics[0] is the contents topic
};

class SourceError : public std::runtime_error {
public:
  SourceError(int line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

// WinHelp's hash of a context name: letters without case, digits, '.' and '_' count;
// other characters are skipped.
inline std::int32_t contextHash(std::string_view name) {
  std::uint32_t hash = 0;
  for (char c : name) {
    std::uint32_t x = 0;
    if (c >= 'A' && c <= 'Z') x = std::uint32_t(c - 'A' + 17);
    if (c >= 'a' && c <= 'z') x = std::uint32_t(c - 'a' + 17);
    if (c >= '1' && c <= '9') x = std::uint32_t(c - '0');
    if (c == '0') x = 10;
    if (c == '.') x = 12;
    if (c == '_') x = 13;
    if (x) hash = hash * 43 + x;
  }
  return std::int32_t(hash);
}

inline bool validContextName(std::string_view name) {
  if (name.empty()) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_';
  });
}

namespace detail {

inline std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// Splits running text into plain runs and [text](name) jumps.
inline std::vector<Span> parseSpans(std::string_view text, int line) {
  std::vector<Span> spans;
  std::string plain;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '[') {
      const std::size_t close = text.find(']', i);
      if (close != std::string_view::npos && close + 1 < text.size() && text[close + 1] == '(') {
        const std::size_t end = text.find(')', close + 2);
        if (end == std::string_view::npos) throw SourceError(line, "a jump without its ')'");
        if (!plain.empty()) spans.push_back({std::move(plain), {}});
        plain.clear();
        Span jump{std::string(text.substr(i + 1, close - i - 1)),
                  std::string(text.substr(close + 2, end - close - 2))};
        if (jump.text.empty()) throw SourceError(line, "a jump without text");
        if (!validContextName(jump.target))
          throw SourceError(line, "a jump to a bad topic name '" + jump.target + "'");
        spans.push_back(std::move(jump));
        i = end + 1;
        continue;
      }
    }
    plain += text[i++];
  }
  if (!plain.empty()) spans.push_back({std::move(plain), {}});
  return spans;
}

} // namespace detail

// Reads the help text; throws SourceError (with the line number) on a mistake: text
// before the first topic, a bad or repeated topic name, two names with the same hash,
// a jump to a topic that does not exist, no title or no topic.
inline HelpText parseHelpText(std::string_view source) {
  HelpText help;
  std::map<std::string, int> jumpLines; // target -> first line that names it
  std::map<std::int32_t, std::string> hashes;
  Paragraph* open = nullptr; // the paragraph that the next line may continue
  int lineNo = 0;

  auto addParagraph = [&](Style style, std::vector<Span> spans) -> Paragraph* {
    if (help.topics.empty()) throw SourceError(lineNo, "text before the first topic");
    for (const Span& s : spans)
      if (!s.target.empty()) jumpLines.emplace(s.target, lineNo);
    help.topics.back().paragraphs.push_back({style, std::move(spans)});
    return &help.topics.back().paragraphs.back();
  };
  auto continueParagraph = [&](Paragraph& p, std::string_view text) {
    std::vector<Span> more = detail::parseSpans(text, lineNo);
    for (const Span& s : more)
      if (!s.target.empty()) jumpLines.emplace(s.target, lineNo);
    if (!p.spans.empty() && p.spans.back().target.empty() && !more.empty() &&
        more.front().target.empty()) {
      p.spans.back().text += ' ' + more.front().text;
      more.erase(more.begin());
    } else if (!p.spans.empty()) {
      more.insert(more.begin(), Span{" ", {}});
    }
    for (Span& s : more)
      p.spans.push_back(std::move(s));
  };

  std::size_t at = 0;
  while (at <= source.size()) {
    std::size_t end = source.find('\n', at);
    if (end == std::string_view::npos) end = source.size();
    std::string_view raw = source.substr(at, end - at);
    at = end + 1;
    ++lineNo;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

    if (!raw.empty() && raw.front() == '#') continue;
    if (!raw.empty() && raw.front() == '|') {
      std::string_view code = raw.substr(1);
      if (open && open->style == Style::Code) {
        open->spans.back().text += '\n';
        open->spans.back().text += code;
      } else {
        open = addParagraph(Style::Code, {Span{std::string(code), {}}});
      }
      continue;
    }
    const std::string_view line = detail::trim(raw);
    if (line.empty()) {
      open = nullptr;
    } else if (line.rfind("title:", 0) == 0) {
      if (!help.topics.empty()) throw SourceError(lineNo, "the title comes before the topics");
      help.title = std::string(detail::trim(line.substr(6)));
      open = nullptr;
    } else if (line.rfind("==", 0) == 0) {
      addParagraph(Style::Heading, detail::parseSpans(detail::trim(line.substr(2)), lineNo));
      open = nullptr;
    } else if (line.front() == '=') {
      const std::string_view rest = detail::trim(line.substr(1));
      const std::size_t space = rest.find_first_of(" \t");
      Topic topic;
      topic.context = std::string(rest.substr(0, space));
      if (space != std::string_view::npos)
        topic.title = std::string(detail::trim(rest.substr(space)));
      if (!validContextName(topic.context))
        throw SourceError(lineNo, "a bad topic name '" + topic.context + "'");
      if (topic.title.empty()) throw SourceError(lineNo, "a topic without a title");
      const auto [it, fresh] = hashes.emplace(contextHash(topic.context), topic.context);
      if (!fresh) {
        throw SourceError(lineNo, it->second == topic.context
                                      ? "the topic name '" + topic.context + "' is used twice"
                                      : "the topic names '" + it->second + "' and '" +
                                            topic.context + "' have the same hash");
      }
      help.topics.push_back(std::move(topic));
      open = nullptr;
    } else if (line.rfind("- ", 0) == 0) {
      open =
          addParagraph(Style::ListItem, detail::parseSpans(detail::trim(line.substr(2)), lineNo));
    } else if (open && open->style != Style::Code && open->style != Style::Heading) {
      continueParagraph(*open, line);
    } else {
      open = addParagraph(Style::Text, detail::parseSpans(line, lineNo));
    }
  }

  if (help.title.empty()) throw SourceError(lineNo, "no 'title:' line");
  if (help.topics.empty()) throw SourceError(lineNo, "no topic");
  for (const auto& [target, line] : jumpLines) {
    const bool known = std::any_of(help.topics.begin(), help.topics.end(),
                                   [&](const Topic& t) { return t.context == target; });
    if (!known) throw SourceError(line, "a jump to the unknown topic '" + target + "'");
  }
  return help;
}

// ---- The help file ---------------------------------------------------------------------

constexpr std::uint32_t kFileMagic = 0x00035F3F;
constexpr std::uint16_t kBTreeMagic = 0x293B;
constexpr std::uint16_t kSystemMagic = 0x036C;
constexpr std::uint16_t kSystemMinor31 = 21; // Windows 3.1 help
constexpr std::size_t kTopicBlockSize = 0x1000;
constexpr std::size_t kTopicBlockHeaderSize = 12;
constexpr std::size_t kTopicBlockData = kTopicBlockSize - kTopicBlockHeaderSize;
constexpr std::size_t kTopicLinkHeaderSize = 0x15;
constexpr std::uint8_t kRecordTopicHeader = 0x02;
constexpr std::uint8_t kRecordText = 0x20;
constexpr std::size_t kFileHeaderSize = 9; // every internal file starts with one
constexpr std::size_t kBTreeHeaderSize = 38;
constexpr std::uint16_t kBTreePageSize = 1024;

// The fonts of |FONT, by index.
enum Font : std::uint16_t { kFontText = 0, kFontTitle = 1, kFontCode = 2, kFontHeading = 3 };

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

namespace detail {

struct Bytes {
  std::vector<std::uint8_t> data;

  void u8(unsigned v) { data.push_back(std::uint8_t(v)); }
  void u16(unsigned v) {
    u8(v & 0xFF);
    u8((v >> 8) & 0xFF);
  }
  void u32(std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
  void i32(std::int32_t v) { u32(std::uint32_t(v)); }
  void str(std::string_view s) { data.insert(data.end(), s.begin(), s.end()); }
  void cstr(std::string_view s) {
    str(s);
    u8(0);
  }
  void bytes(const std::vector<std::uint8_t>& b) { data.insert(data.end(), b.begin(), b.end()); }
  std::size_t size() const { return data.size(); }
  void putU32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      data[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
  }

  // The variable-length numbers of paragraph records: the lowest bit of the first byte
  // tells the long form from the short one.
  void compressedLong(std::int32_t v) { // 2 bytes for |v| < 16384, else 4
    if (v > -16384 && v < 16384)
      u16(std::uint32_t(0x8000 + 2 * v));
    else
      u32(std::uint32_t(0x80000000u + 2 * std::uint32_t(v) + 1));
  }
  void compressedUShort(unsigned v) { // 1 byte below 128, else 2
    if (v > 0x7FFF) throw std::runtime_error("a paragraph is too long");
    if (v < 128)
      u8(2 * v);
    else
      u16(2 * v + 1);
  }
  void compressedShort(int v) { // 1 byte for -64..63, else 2
    if (v >= -64 && v < 64)
      u8(unsigned(0x80 + 2 * v));
    else
      u16(unsigned(0x8000 + 2 * v + 1));
  }
};

// An internal file: its 9-byte header (reserved space, used space, flags) and body.
inline std::vector<std::uint8_t> internalFile(const std::vector<std::uint8_t>& body) {
  Bytes f;
  f.u32(std::uint32_t(body.size() + kFileHeaderSize));
  f.u32(std::uint32_t(body.size()));
  f.u8(4);
  f.bytes(body);
  return f.data;
}

// A B+ tree of one leaf page holding `entries` (each already encoded, in key order).
inline std::vector<std::uint8_t>
singlePageBTree(std::string_view structure, std::uint16_t flags,
                const std::vector<std::vector<std::uint8_t>>& entries) {
  std::size_t used = 8;
  for (const auto& e : entries)
    used += e.size();
  if (used > kBTreePageSize)
    throw std::runtime_error("too many entries for one index page (" + std::string(structure) +
                             ")");
  Bytes b;
  b.u16(kBTreeMagic);
  b.u16(flags);
  b.u16(kBTreePageSize);
  std::string name(structure);
  name.resize(16, '\0');
  b.str(name);
  b.u16(0);      // must be zero
  b.u16(0);      // page splits
  b.u16(0);      // root page
  b.u16(0xFFFF); // must be -1
  b.u16(1);      // total pages
  b.u16(1);      // levels
  b.u32(std::uint32_t(entries.size()));
  // The leaf: free bytes, entry count, previous and next page (none).
  b.u16(unsigned(kBTreePageSize - used));
  b.u16(unsigned(entries.size()));
  b.u16(0xFFFF);
  b.u16(0xFFFF);
  for (const auto& e : entries)
    b.bytes(e);
  b.data.resize(kBTreeHeaderSize + kBTreePageSize, 0);
  return b.data;
}

// One TOPICLINK record before its position is known.
struct Record {
  std::uint8_t type = 0;
  std::vector<std::uint8_t> linkData1; // after the 21-byte header
  std::vector<std::uint8_t> linkData2; // the text
  unsigned characters = 0;             // what the record adds to the topic offset
  std::size_t topic = 0;               // index of its topic
  std::size_t at = 0;                  // offset in the topic data, without block headers
  std::size_t size() const { return kTopicLinkHeaderSize + linkData1.size() + linkData2.size(); }
};

// Where a record at `offset` in the topic data lies: block number * 0x4000 plus the
// offset in that block, counted from the block's start (so after its 12-byte header).
inline std::uint32_t topicPos(std::size_t offset) {
  return std::uint32_t((offset / kTopicBlockData) * 0x4000 + kTopicBlockHeaderSize +
                       offset % kTopicBlockData);
}

struct Format {
  Font font;
  std::uint16_t bits; // paragraph settings present
  int spaceBelow;     // bit 0x0004
  int leftIndent;     // bit 0x0010
  int firstIndent;    // bit 0x0040
};

inline Format formatOf(Style style) {
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

inline Record paragraphRecord(const Paragraph& p, bool title) {
  const Format f = title ? Format{kFontTitle, 0x0004, 10, 0, 0} : formatOf(p.style);
  Bytes text;   // the strings between the commands
  Bytes format; // the commands
  std::string current = p.style == Style::ListItem ? "\x95\t" : "";
  unsigned characters = 0;
  auto flush = [&] {
    text.cstr(current);
    characters += unsigned(current.size());
    current.clear();
  };
  flush();
  format.u8(command::kFont);
  format.u16(f.font);
  for (const Span& span : p.spans) {
    if (!span.target.empty()) {
      flush();
      format.u8(command::kJump);
      format.i32(contextHash(span.target));
    }
    for (char c : span.text) {
      if (c == '\n' || c == '\t') {
        flush();
        format.u8(c == '\n' ? command::kLineBreak : command::kTab);
        ++characters;
      } else {
        current += c;
      }
    }
    if (!span.target.empty()) {
      flush();
      format.u8(command::kEndOfJump);
    }
  }
  flush();
  format.u8(command::kEndOfParagraph);
  ++characters;
  flush();
  format.u8(command::kEnd);

  Bytes d1;
  d1.compressedLong(std::int32_t(text.size()));
  d1.compressedUShort(characters);
  d1.u8(0);    // unknown
  d1.u8(0x80); // unknown, biased zero
  d1.u16(0);   // paragraph id
  if (p.style == Style::ListItem && !title) {
    // A tab stop after the bullet, where the hanging text starts.
    d1.u16(f.bits | 0x0200);
  } else {
    d1.u16(f.bits);
  }
  if (f.bits & 0x0002) d1.compressedShort(12);
  if (f.bits & 0x0004) d1.compressedShort(f.spaceBelow);
  if (f.bits & 0x0010) d1.compressedShort(f.leftIndent);
  if (f.bits & 0x0040) d1.compressedShort(f.firstIndent);
  if (p.style == Style::ListItem && !title) {
    d1.compressedShort(1);                       // one tab stop,
    d1.compressedUShort(unsigned(f.leftIndent)); // left-aligned at the indent
  }
  d1.bytes(format.data);

  Record r;
  r.type = kRecordText;
  r.linkData1 = std::move(d1.data);
  r.linkData2 = std::move(text.data);
  r.characters = characters;
  return r;
}

} // namespace detail

// The whole help file.
inline std::vector<std::uint8_t> writeHelpFile(const HelpText& help) {
  using detail::Bytes;
  using detail::Record;
  if (help.topics.empty()) throw std::runtime_error("no topic");

  // 1. The records, topic by topic: a topic header, then the title and the paragraphs.
  std::vector<Record> records;
  std::vector<std::size_t> headerIndex; // per topic, its header's index in records
  for (std::size_t t = 0; t < help.topics.size(); ++t) {
    const Topic& topic = help.topics[t];
    headerIndex.push_back(records.size());
    Record header;
    header.type = kRecordTopicHeader;
    header.linkData1.resize(28);
    header.linkData2.assign(topic.title.begin(), topic.title.end());
    header.topic = t;
    records.push_back(std::move(header));
    Paragraph title{Style::Text, {Span{topic.title, {}}}};
    records.push_back(detail::paragraphRecord(title, true));
    records.back().topic = t;
    for (const Paragraph& p : topic.paragraphs) {
      records.push_back(detail::paragraphRecord(p, false));
      records.back().topic = t;
    }
  }

  // 2. Their places in the topic data, and each topic's offset as the viewer counts it:
  // block number * 0x8000 plus the characters of the paragraphs before it that begin in
  // the same block.
  std::vector<std::uint32_t> topicOffset(help.topics.size());
  {
    std::size_t at = 0, block = SIZE_MAX;
    std::uint32_t characters = 0;
    for (Record& r : records) {
      r.at = at;
      if (at / kTopicBlockData != block) {
        block = at / kTopicBlockData;
        characters = 0;
      }
      if (r.type == kRecordTopicHeader) {
        if (characters >= 0x8000) throw std::runtime_error("too much text in one block");
        topicOffset[r.topic] = std::uint32_t(block * 0x8000 + characters);
      } else {
        characters += r.characters;
      }
      at += r.size();
    }
  }

  // 3. The records with their headers and links, as one stream.
  Bytes stream;
  for (std::size_t i = 0; i < records.size(); ++i) {
    Record& r = records[i];
    if (r.type == kRecordTopicHeader) {
      const std::size_t t = r.topic;
      const std::size_t next = t + 1 < headerIndex.size() ? headerIndex[t + 1] : SIZE_MAX;
      const std::size_t end = next == SIZE_MAX ? records.size() : next;
      std::uint32_t topicSize = 0;
      for (std::size_t k = i; k < end; ++k)
        topicSize += std::uint32_t(records[k].size());
      Bytes h;
      h.u32(topicSize);
      h.u32(0xFFFFFFFF); // no browse sequence backwards
      h.u32(0xFFFFFFFF); // nor forwards
      h.u32(std::uint32_t(t));
      h.u32(0xFFFFFFFF); // no non-scrolling region
      h.u32(detail::topicPos(records[i + 1].at));
      h.u32(next == SIZE_MAX ? 0xFFFFFFFF : detail::topicPos(records[next].at));
      r.linkData1 = std::move(h.data);
    }
    stream.u32(std::uint32_t(r.size()));
    stream.u32(std::uint32_t(r.linkData2.size()));
    stream.u32(i == 0 ? 0xFFFFFFFF : detail::topicPos(records[i - 1].at));
    stream.u32(i + 1 < records.size() ? detail::topicPos(records[i + 1].at) : 0xFFFFFFFF);
    stream.u32(std::uint32_t(kTopicLinkHeaderSize + r.linkData1.size()));
    stream.u8(r.type);
    stream.bytes(r.linkData1);
    stream.bytes(r.linkData2);
  }

  // 4. |TOPIC: the stream cut into 4 KB blocks, each after its header (the last record
  // starting before it, the first starting in it, the last topic header before it).
  Bytes topic;
  const std::size_t blocks = (stream.size() + kTopicBlockData - 1) / kTopicBlockData;
  for (std::size_t b = 0; b < blocks; ++b) {
    const std::size_t from = b * kTopicBlockData;
    const std::size_t to = from + kTopicBlockData;
    std::uint32_t lastLink = 0xFFFFFFFF, firstLink = 0xFFFFFFFF, lastHeader = 0xFFFFFFFF;
    for (const Record& r : records) {
      if (r.at < from) {
        lastLink = detail::topicPos(r.at);
        if (r.type == kRecordTopicHeader) lastHeader = detail::topicPos(r.at);
      } else if (r.at < to && firstLink == 0xFFFFFFFF) {
        firstLink = detail::topicPos(r.at);
      }
    }
    topic.u32(lastLink);
    topic.u32(firstLink);
    topic.u32(lastHeader);
    const std::size_t take = std::min(to, stream.size()) - from;
    topic.data.insert(topic.data.end(), stream.data.begin() + std::ptrdiff_t(from),
                      stream.data.begin() + std::ptrdiff_t(from + take));
    topic.data.resize((b + 1) * kTopicBlockSize, 0); // whole blocks only
  }

  // |SYSTEM: header, title, contents topic.
  Bytes system;
  system.u16(kSystemMagic);
  system.u16(kSystemMinor31);
  system.u16(1);
  system.u32(0); // date of making: left out, so that every build writes the same file
  system.u16(0); // no compression
  system.u16(1); // title
  system.u16(unsigned(help.title.size() + 1));
  system.cstr(help.title);
  system.u16(3); // contents topic
  system.u16(4);
  system.u32(topicOffset[0]);

  // |CONTEXT: hash -> topic offset, ordered by the hash as a signed number.
  std::vector<std::pair<std::int32_t, std::uint32_t>> contexts;
  for (std::size_t t = 0; t < help.topics.size(); ++t)
    contexts.emplace_back(contextHash(help.topics[t].context), topicOffset[t]);
  std::sort(contexts.begin(), contexts.end());
  std::vector<std::vector<std::uint8_t>> contextEntries;
  for (const auto& [hash, offset] : contexts) {
    Bytes e;
    e.i32(hash);
    e.u32(offset);
    contextEntries.push_back(std::move(e.data));
  }

  // |CTXOMAP: help context 0 (what WinHelp is asked for) -> the contents topic.
  Bytes map;
  map.u16(1);
  map.u32(0);
  map.u32(topicOffset[0]);

  // |TTLBTREE: topic offset -> title.
  std::vector<std::vector<std::uint8_t>> titleEntries;
  for (std::size_t t = 0; t < help.topics.size(); ++t) {
    Bytes e;
    e.u32(topicOffset[t]);
    e.cstr(help.topics[t].title);
    titleEntries.push_back(std::move(e.data));
  }

  // |FONT: face names of 20 bytes, then 11-byte descriptors (attributes, half points,
  // family, face index, foreground and background colour).
  struct FontSpec {
    std::uint8_t attributes; // 1 = bold
    std::uint8_t halfPoints;
    std::uint8_t family; // 1 modern, 3 swiss
    std::uint16_t face;
    std::uint8_t r, g, b;
  };
  const std::vector<std::string> faces = {"Arial", "Courier New"};
  const FontSpec fonts[] = {
      {0, 20, 3, 0, 0, 0, 0},    // kFontText
      {1, 28, 3, 0, 0, 0, 0x80}, // kFontTitle
      {0, 20, 1, 1, 0, 0, 0},    // kFontCode
      {1, 22, 3, 0, 0, 0, 0},    // kFontHeading
  };
  Bytes font;
  const unsigned facesAt = 8;
  font.u16(unsigned(faces.size()));
  font.u16(unsigned(std::size(fonts)));
  font.u16(facesAt);
  font.u16(unsigned(facesAt + 20 * faces.size()));
  for (std::string face : faces) {
    face.resize(20, '\0');
    font.str(face);
  }
  for (const FontSpec& f : fonts) {
    font.u8(f.attributes);
    font.u8(f.halfPoints);
    font.u8(f.family);
    font.u16(f.face);
    font.u8(f.r);
    font.u8(f.g);
    font.u8(f.b);
    font.u8(0xFF);
    font.u8(0xFF);
    font.u8(0xFF);
  }

  // The internal files, in the directory's (byte-wise) name order.
  std::map<std::string, std::vector<std::uint8_t>> files;
  files["|CONTEXT"] = detail::singlePageBTree("L4", 0x0002, contextEntries);
  files["|CTXOMAP"] = map.data;
  files["|FONT"] = font.data;
  files["|SYSTEM"] = system.data;
  files["|TOPIC"] = topic.data;
  files["|TTLBTREE"] = detail::singlePageBTree("Lz", 0x0002, titleEntries);

  Bytes out;
  out.u32(kFileMagic);
  out.u32(0);          // where the directory starts: filled in below
  out.u32(0xFFFFFFFF); // no free block
  out.u32(0);          // file size: filled in below
  std::vector<std::vector<std::uint8_t>> directoryEntries;
  for (const auto& [name, body] : files) {
    Bytes e;
    e.cstr(name);
    e.u32(std::uint32_t(out.size()));
    directoryEntries.push_back(std::move(e.data));
    out.bytes(detail::internalFile(body));
  }
  out.putU32(4, std::uint32_t(out.size()));
  out.bytes(detail::internalFile(detail::singlePageBTree("z4", 0x0402, directoryEntries)));
  out.putU32(12, std::uint32_t(out.size()));
  return out.data;
}

} // namespace tavrin::help
