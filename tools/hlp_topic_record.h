// The records of |TOPIC (TOPICLINKs) before their places are known: a topic's header, and
// one text record for its title and for each of its paragraphs.
#pragma once

#include "help_text.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin::help::detail {

constexpr std::size_t kTopicLinkHeaderSize = 0x15;
constexpr std::uint8_t kRecordTopicHeader = 0x02;
constexpr std::uint8_t kRecordText = 0x20;

struct Record {
  std::uint8_t type = 0;
  std::vector<std::uint8_t> linkData1; // after the 21-byte header
  std::vector<std::uint8_t> linkData2; // the text
  unsigned characters = 0;             // what the record adds to the topic offset
  std::size_t topic = 0;               // index of its topic
  std::size_t at = 0;                  // offset in the topic data, without block headers
  std::size_t size() const { return kTopicLinkHeaderSize + linkData1.size() + linkData2.size(); }
};

// Topic number `index`'s header, with room for its links, which are known only once
// every record has its place.
Record topicHeaderRecord(const Topic& topic, std::size_t index);

// The topic's title, as the first paragraph of topic number `index`.
Record titleRecord(const Topic& topic, std::size_t index);

// One paragraph of topic number `index`.
Record paragraphRecord(const Paragraph& p, std::size_t index);

} // namespace tavrin::help::detail
