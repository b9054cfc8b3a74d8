#include "hlp_file.h"

#include "help_context_name.h"
#include "hlp_bytes.h"
#include "hlp_fonts.h"
#include "hlp_internal_files.h"
#include "hlp_topic_file.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace tavrin::help {
namespace {

using detail::Bytes;

constexpr std::uint16_t kSystemMagic = 0x036C;
constexpr std::uint16_t kSystemMinor31 = 21; // Windows 3.1 help

// |SYSTEM: header, title, contents topic.
std::vector<std::uint8_t> systemFile(const std::string& title, std::uint32_t contentsOffset) {
  Bytes system;
  system.u16(kSystemMagic);
  system.u16(kSystemMinor31);
  system.u16(1);
  system.u32(0); // date of making: left out, so that every build writes the same file
  system.u16(0); // no compression
  system.u16(1); // title
  system.u16(unsigned(title.size() + 1));
  system.cstr(title);
  system.u16(3); // contents topic
  system.u16(4);
  system.u32(contentsOffset);
  return system.data;
}

// |CONTEXT: hash -> topic offset, ordered by the hash as a signed number.
std::vector<std::uint8_t> contextFile(const HelpText& help,
                                      const std::vector<std::uint32_t>& topicOffset) {
  std::vector<std::pair<std::int32_t, std::uint32_t>> contexts;
  for (std::size_t t = 0; t < help.topics.size(); ++t)
    contexts.emplace_back(contextHash(help.topics[t].context), topicOffset[t]);
  std::sort(contexts.begin(), contexts.end());
  std::vector<std::vector<std::uint8_t>> entries;
  for (const auto& [hash, offset] : contexts) {
    Bytes e;
    e.i32(hash);
    e.u32(offset);
    entries.push_back(std::move(e.data));
  }
  return detail::singlePageBTree("L4", 0x0002, entries);
}

// |CTXOMAP: help context 0 (what WinHelp is asked for) -> the contents topic.
std::vector<std::uint8_t> contextMapFile(std::uint32_t contentsOffset) {
  Bytes map;
  map.u16(1);
  map.u32(0);
  map.u32(contentsOffset);
  return map.data;
}

// |TTLBTREE: topic offset -> title.
std::vector<std::uint8_t> titleFile(const HelpText& help,
                                    const std::vector<std::uint32_t>& topicOffset) {
  std::vector<std::vector<std::uint8_t>> entries;
  for (std::size_t t = 0; t < help.topics.size(); ++t) {
    Bytes e;
    e.u32(topicOffset[t]);
    e.cstr(help.topics[t].title);
    entries.push_back(std::move(e.data));
  }
  return detail::singlePageBTree("Lz", 0x0002, entries);
}

} // namespace

std::vector<std::uint8_t> writeHelpFile(const HelpText& help) {
  if (help.topics.empty()) throw std::runtime_error("no topic");
  detail::TopicFile topic = detail::topicFile(help);
  const std::vector<std::uint32_t>& offsets = topic.topicOffsets;
  std::map<std::string, std::vector<std::uint8_t>> files;
  files["|CONTEXT"] = contextFile(help, offsets);
  files["|CTXOMAP"] = contextMapFile(offsets[0]);
  files["|FONT"] = detail::fontFile();
  files["|SYSTEM"] = systemFile(help.title, offsets[0]);
  files["|TOPIC"] = std::move(topic.data);
  files["|TTLBTREE"] = titleFile(help, offsets);
  return detail::helpFileSystem(files);
}

} // namespace tavrin::help
