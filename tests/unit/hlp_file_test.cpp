// The help file read back byte by byte: the file header, the internal directory and each
// internal file, decoded the way the viewer reads them, against the help text they came from.
#include "help_context_name.h"
#include "help_parser.h"
#include "hlp_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace help = tavrin::help;

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

void need(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

// Little-endian reads; running off the end throws, which fails the test.
struct Cursor {
  const Bytes& b;
  std::size_t at = 0;
  unsigned u8() { return b.at(at++); }
  std::uint32_t le(int bytes) { // in the order read
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
      v |= std::uint32_t(u8()) << 8 * i;
    return v;
  }
  unsigned u16() { return le(2); }
  std::uint32_t u32() { return le(4); }
  std::string cstr() {
    std::string s;
    while (const char c = char(u8()))
      s += c;
    return s;
  }
  // Paragraph numbers: bit 0 of the first byte marks the long form.
  long compressedLong() {
    return b.at(at) & 1 ? long(std::int32_t(u32() - 0x80000000u) >> 1) : (long(u16()) - 0x8000) / 2;
  }
  unsigned compressedUShort() { return b.at(at) & 1 ? u16() >> 1 : u8() >> 1; }
  int compressedShort() {
    return b.at(at) & 1 ? (int(u16()) - 0x8000) >> 1 : (int(u8()) - 0x80) / 2;
  }
};

// The body of the internal file at `at`; its header (reserved, used, flags) must fit.
Bytes internalFile(const Bytes& file, std::size_t at) {
  Cursor c{file, at};
  const std::uint32_t reserved = c.u32(), used = c.u32();
  c.u8();
  EXPECT_LE(used, reserved);
  need(at + 9 + used <= file.size(), "an internal file runs past the end");
  return Bytes(file.begin() + std::ptrdiff_t(at + 9), file.begin() + std::ptrdiff_t(at + 9 + used));
}

// A B+ tree that must be one leaf page; `entry` reads each entry, which must fill exactly
// the bytes the page says it uses.
template <class Entry> void readBTree(const Bytes& body, std::string_view structure, Entry entry) {
  need(body.size() >= 38, "a B+ tree without its header");
  Cursor c{body};
  EXPECT_EQ(c.u16(), 0x293Bu);
  EXPECT_TRUE(c.u16() & 0x0002);
  const unsigned pageSize = c.u16();
  EXPECT_EQ(std::string(body.begin() + 6, body.begin() + 22).c_str(), structure);
  c.at += 16 + 4;              // the structure, reserved, page splits
  EXPECT_EQ(c.u16(), 0u);      // the root page
  EXPECT_EQ(c.u16(), 0xFFFFu); // always -1
  EXPECT_EQ(c.u16(), 1u);      // pages
  EXPECT_EQ(c.u16(), 1u);      // levels: the root is the leaf
  const std::uint32_t total = c.u32();
  const std::size_t page = c.at;
  const unsigned freeBytes = c.u16(), count = c.u16();
  EXPECT_EQ(count, total);
  EXPECT_EQ(c.u16(), 0xFFFFu); // no page before
  EXPECT_EQ(c.u16(), 0xFFFFu); // nor after
  for (unsigned i = 0; i < count; ++i)
    entry(c);
  EXPECT_EQ(c.at - page, pageSize - freeBytes);
  EXPECT_EQ(body.size(), page + pageSize);
}

struct TopicRead {
  std::uint32_t offset = 0, number = 0;
  std::uint32_t pos = 0, size = 0, next = 0; // its header's place, and what the header says
  std::size_t at = 0;                        // the header's place in the stream
  std::string title;
  std::vector<std::string> paragraphs; // jumps shown as [text], line breaks as '\n'
  std::vector<std::int32_t> jumps;
};

// One text record after its 21-byte header: settings, then strings and commands in turn.
// Returns the characters the record adds to the topic offset.
unsigned readParagraph(Cursor& c, const Bytes& text, TopicRead& topic, unsigned fonts) {
  EXPECT_EQ(c.compressedLong(), long(text.size()));
  const unsigned characters = c.compressedUShort();
  c.at += 4; // unknown bytes, paragraph id
  const unsigned bits = c.u16();
  EXPECT_EQ(bits & ~0x027Eu, 0u) << "settings this reader does not know";
  for (unsigned bit : {0x0002u, 0x0004u, 0x0008u, 0x0010u, 0x0020u, 0x0040u})
    if (bits & bit) c.compressedShort();
  if (bits & 0x0200)
    for (int tabs = c.compressedShort(); tabs > 0; --tabs)
      if (c.compressedUShort() & 0x4000) c.compressedUShort();
  need(!text.empty() && text.back() == 0, "the strings do not end in NUL");
  std::vector<std::string> strings(1);
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    text[i] ? strings.back() += char(text[i]) : strings.emplace_back();
  static const std::map<unsigned, char> marks{{0x81, '\n'}, {0x83, '\t'}, {0x89, ']'}};
  std::string shown;
  for (std::size_t i = 0;; ++i) {
    need(i < strings.size(), "more commands than strings");
    shown += strings[i];
    const unsigned command = c.u8();
    if (command == 0xFF) {
      EXPECT_EQ(i + 1, strings.size());
      EXPECT_EQ(shown, "") << "text after the paragraph's end";
      return characters;
    }
    if (marks.count(command)) {
      shown += marks.at(command);
    } else if (command == 0x80) {
      EXPECT_LT(c.u16(), fonts);
    } else if (command == 0xE3) {
      shown += '[';
      topic.jumps.push_back(std::int32_t(c.u32()));
    } else if (command == 0x82) {
      topic.paragraphs.push_back(shown);
      shown.clear();
    } else {
      need(false, "an unknown command");
    }
  }
}

// |TOPIC: 4 KB blocks with 12-byte headers around one stream of records, followed by their
// links from the first. A topic's offset is its block * 0x8000 plus the characters of the
// text records before it in that block.
std::vector<TopicRead> readTopics(const Bytes& body, unsigned fonts) {
  need(!body.empty() && body.size() % 4096 == 0, "|TOPIC is not whole blocks");
  Bytes stream;
  for (std::size_t b = 0; b < body.size(); b += 4096)
    stream.insert(stream.end(), body.begin() + std::ptrdiff_t(b + 12),
                  body.begin() + std::ptrdiff_t(b + 4096));
  std::vector<TopicRead> topics;
  std::vector<std::pair<std::uint32_t, bool>> records; // place, is a topic header
  std::uint32_t pos = Cursor{body, 4}.u32();           // the first record, from block 0's header
  std::uint32_t prev = kNone, block = 0, characters = 0;
  std::size_t end = 0; // where the previous record ended
  while (pos != kNone) {
    const std::size_t at = pos / 0x4000 * 4084 + pos % 0x4000 - 12;
    need(pos % 0x4000 >= 12 && at == end, "a record does not follow the one before");
    Cursor c{stream, at};
    const std::uint32_t size = c.u32(), size2 = c.u32();
    EXPECT_EQ(c.u32(), prev);
    const std::uint32_t next = c.u32(), size1 = c.u32();
    const unsigned type = c.u8();
    need(size1 >= 21 && size1 + size2 == size && at + size <= stream.size(), "a bad record");
    const Bytes text(stream.begin() + std::ptrdiff_t(at + size1),
                     stream.begin() + std::ptrdiff_t(at + size));
    if (pos / 0x4000 != block) {
      block = pos / 0x4000;
      characters = 0;
    }
    records.emplace_back(pos, type == 0x02);
    if (type == 0x02) {
      TopicRead& t = topics.emplace_back();
      t.offset = block * 0x8000 + characters;
      t.pos = pos;
      t.at = at;
      t.size = c.u32();
      c.at += 8; // no browse sequence
      t.number = c.u32();
      EXPECT_EQ(c.u32(), kNone); // no non-scrolling region
      EXPECT_EQ(c.u32(), next);  // the scrolling one starts right after
      t.next = c.u32();
      t.title.assign(text.begin(), text.end());
    } else {
      need(type == 0x20 && !topics.empty(), "a text record outside a topic");
      characters += readParagraph(c, text, topics.back(), fonts);
    }
    EXPECT_EQ(c.at, at + size1);
    prev = pos;
    pos = next;
    end = at + size;
  }
  EXPECT_GT(end + 4084, stream.size()) << "an empty block at the end";
  for (std::size_t b = 0; b * 4096 < body.size(); ++b) {
    std::uint32_t last = kNone, first = kNone, lastHeader = kNone;
    for (const auto& [p, header] : records)
      if (p / 0x4000 < b) {
        last = p;
        if (header) lastHeader = p;
      } else if (p / 0x4000 == b && first == kNone) {
        first = p;
      }
    Cursor h{body, b * 4096};
    EXPECT_EQ(h.u32(), last);
    EXPECT_EQ(h.u32(), first);
    EXPECT_EQ(h.u32(), lastHeader);
  }
  for (std::size_t t = 0; t < topics.size(); ++t) {
    // A topic runs up to the next topic header, which its header links to.
    const bool last = t + 1 == topics.size();
    EXPECT_EQ(topics[t].size, (last ? end : topics[t + 1].at) - topics[t].at);
    EXPECT_EQ(topics[t].next, last ? kNone : topics[t + 1].pos);
  }
  return topics;
}

// How the viewer shows a paragraph of the text, in readParagraph's notation.
std::string shown(const help::Paragraph& p) {
  std::string s = p.style == help::Style::ListItem ? "\x95\t" : "";
  for (const help::Span& span : p.spans)
    s += span.target.empty() ? span.text : "[" + span.text + "]";
  return s;
}

// Writes the help file of `source`, reads all of it back and checks it against the text.
std::vector<TopicRead> writeAndRead(std::string_view source) {
  const help::HelpText text = help::parseHelpText(source);
  const Bytes file = help::writeHelpFile(text);

  Cursor c{file};
  EXPECT_EQ(c.u32(), 0x00035F3Fu);
  const std::uint32_t directory = c.u32();
  EXPECT_EQ(c.u32(), kNone); // no free block
  EXPECT_EQ(c.u32(), file.size());
  std::vector<std::string> names;
  std::map<std::string, Bytes> files;
  readBTree(internalFile(file, directory), "z4", [&](Cursor& e) {
    names.push_back(e.cstr());
    files[names.back()] = internalFile(file, e.u32());
  });
  // Byte-wise name order.
  EXPECT_EQ(names, (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC",
                                             "|TTLBTREE"}));

  const std::vector<TopicRead> topics =
      readTopics(files["|TOPIC"], Cursor{files["|FONT"], 2}.u16());
  need(topics.size() == text.topics.size(), "the topic count differs");
  Cursor system{files["|SYSTEM"]};
  EXPECT_EQ(system.u16(), 0x036Cu);
  EXPECT_EQ(system.u16(), 21u);
  EXPECT_EQ(system.u16(), 1u);
  system.u32();                // date of making
  EXPECT_EQ(system.u16(), 0u); // not compressed: |TOPIC was read as it is
  std::set<unsigned> kinds;    // of the records that follow: 1 the title, 3 the contents topic
  while (system.at < system.b.size()) {
    const unsigned kind = system.u16(), size = system.u16();
    const std::size_t end = system.at + size;
    if (kind == 1) {
      EXPECT_EQ(system.cstr(), text.title);
    } else if (kind == 3) {
      EXPECT_EQ(system.u32(), topics[0].offset);
    }
    EXPECT_TRUE(kinds.insert(kind).second) << "a second |SYSTEM record " << kind;
    EXPECT_EQ(system.at, end) << "|SYSTEM record " << kind;
    system.at = end;
  }
  EXPECT_EQ(kinds, (std::set<unsigned>{1, 3}));

  std::vector<std::pair<std::int32_t, std::uint32_t>> contexts;
  readBTree(files["|CONTEXT"], "L4", [&](Cursor& e) {
    const auto hash = std::int32_t(e.u32());
    contexts.emplace_back(hash, e.u32());
  });
  std::vector<std::pair<std::uint32_t, std::string>> titles;
  readBTree(files["|TTLBTREE"], "Lz", [&](Cursor& e) {
    const std::uint32_t offset = e.u32();
    titles.emplace_back(offset, e.cstr());
  });
  // What they should hold, from the text and the topics as read.
  std::vector<std::pair<std::int32_t, std::uint32_t>> wantContexts;
  std::vector<std::pair<std::uint32_t, std::string>> wantTitles;
  std::vector<std::int32_t> jumps;
  for (std::size_t t = 0; t < topics.size(); ++t) {
    const help::Topic& topic = text.topics[t];
    SCOPED_TRACE(topic.context);
    EXPECT_EQ(topics[t].number, t);
    EXPECT_EQ(topics[t].title, topic.title);
    std::vector<std::string> paragraphs{topic.title};
    for (const help::Paragraph& p : topic.paragraphs)
      paragraphs.push_back(shown(p));
    EXPECT_EQ(topics[t].paragraphs, paragraphs);
    wantContexts.emplace_back(help::contextHash(topic.context), topics[t].offset);
    wantTitles.emplace_back(topics[t].offset, topic.title);
    jumps.insert(jumps.end(), topics[t].jumps.begin(), topics[t].jumps.end());
  }
  std::sort(wantContexts.begin(), wantContexts.end()); // the key is a signed number
  EXPECT_EQ(contexts, wantContexts);
  EXPECT_TRUE(std::adjacent_find(titles.begin(), titles.end(),
                                 [](const auto& a, const auto& b) { return a.first >= b.first; }) ==
              titles.end())
      << "topic offsets that do not rise";
  EXPECT_EQ(titles, wantTitles);
  for (std::int32_t jump : jumps)
    EXPECT_TRUE(std::any_of(contexts.begin(), contexts.end(), [&](const auto& e) {
      return e.first == jump;
    })) << "a jump to no topic";

  Cursor map{files["|CTXOMAP"]};
  EXPECT_EQ(map.u16(), 1u);
  EXPECT_EQ(map.u32(), 0u);
  EXPECT_EQ(map.u32(), topics[0].offset);
  EXPECT_EQ(map.at, map.b.size());
  return topics;
}

} // namespace

TEST(HelpFile, SmallTextReadsBack) {
  const std::vector<TopicRead> topics = writeAndRead("# not shown\n"
                                                     "title: Small Help\n"
                                                     "= contents Small Contents\n"
                                                     "Plain text joined\n"
                                                     "across lines, see [the second](second).\n"
                                                     "\n"
                                                     "== A heading\n"
                                                     "- an item\n"
                                                     "|code\tone\n"
                                                     "|code two\n"
                                                     "= second The Second Topic\n"
                                                     "Last words.\n");
  ASSERT_EQ(topics.size(), 2u);
  EXPECT_EQ(topics[0].paragraphs,
            (std::vector<std::string>{"Small Contents",
                                      "Plain text joined across lines, see [the second].",
                                      "A heading", "\x95\tan item", "code\tone\ncode two"}));
  EXPECT_EQ(topics[0].jumps, std::vector<std::int32_t>{help::contextHash("second")});
  EXPECT_EQ(topics[1].paragraphs, (std::vector<std::string>{"The Second Topic", "Last words."}));
}

TEST(HelpFile, ManyTopicsSpanSeveralBlocks) {
  std::string source = "title: Many\n";
  for (int i = 0; i < 40; ++i)
    source += "= t" + std::to_string(i) + " Topic " + std::to_string(i) + "\n" +
              std::string(200, char('a' + i % 26)) + " [on](t" + std::to_string((i + 1) % 40) +
              ")\n";
  const std::vector<TopicRead> topics = writeAndRead(source);
  ASSERT_EQ(topics.size(), 40u);
  EXPECT_GE(topics.back().offset, 2 * 0x8000u) << "the topics should reach a third block";
}

TEST(HelpFile, TavrinHelpTextReadsBack) {
  std::ifstream in(TAVRIN_SOURCE_DIR "/help/helpfile.txt", std::ios::binary);
  ASSERT_TRUE(in) << "help/helpfile.txt";
  const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const help::HelpText text = help::parseHelpText(source);
  EXPECT_EQ(text.topics.at(0).context, "contents");
  const std::vector<TopicRead> topics = writeAndRead(source);
  ASSERT_FALSE(topics.empty());
  EXPECT_FALSE(topics[0].jumps.empty()) << "the contents topic leads to the others";
}
