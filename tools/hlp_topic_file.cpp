#include "hlp_topic_file.h"

#include "hlp_bytes.h"
#include "hlp_topic_record.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

namespace tavrin::help::detail {
namespace {

constexpr std::size_t kTopicBlockSize = 0x1000;
constexpr std::size_t kTopicBlockHeaderSize = 12;
constexpr std::size_t kTopicBlockData = kTopicBlockSize - kTopicBlockHeaderSize;

// Where a record at `offset` in the topic data lies: block number * 0x4000 plus the
// offset in that block, counted from the block's start (so after its 12-byte header).
std::uint32_t topicPos(std::size_t offset) {
  return std::uint32_t((offset / kTopicBlockData) * 0x4000 + kTopicBlockHeaderSize +
                       offset % kTopicBlockData);
}

// The records, topic by topic: a topic header, then the title and the paragraphs.
// `headerIndex` gets each topic's header's index in them.
std::vector<Record> collectRecords(const HelpText& help, std::vector<std::size_t>& headerIndex) {
  std::vector<Record> records;
  for (std::size_t t = 0; t < help.topics.size(); ++t) {
    const Topic& topic = help.topics[t];
    headerIndex.push_back(records.size());
    records.push_back(topicHeaderRecord(topic, t));
    records.push_back(titleRecord(topic, t));
    for (const Paragraph& p : topic.paragraphs)
      records.push_back(paragraphRecord(p, t));
  }
  return records;
}

// Gives the records their places in the topic data and returns each topic's offset as the
// viewer counts it: block number * 0x8000 plus the characters of the paragraphs before it
// that begin in the same block.
std::vector<std::uint32_t> placeRecords(std::vector<Record>& records, std::size_t topics) {
  std::vector<std::uint32_t> topicOffset(topics);
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
  return topicOffset;
}

// The data of the topic header at records[i]: the topic's size, its number, and where its
// text and the next topic start.
std::vector<std::uint8_t> topicHeaderData(const std::vector<Record>& records,
                                          const std::vector<std::size_t>& headerIndex,
                                          std::size_t i) {
  const std::size_t t = records[i].topic;
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
  h.u32(topicPos(records[i + 1].at));
  h.u32(next == SIZE_MAX ? 0xFFFFFFFF : topicPos(records[next].at));
  return h.data;
}

// The records with their headers and links to the records before and after, as one stream.
Bytes linkRecords(std::vector<Record>& records, const std::vector<std::size_t>& headerIndex) {
  Bytes stream;
  for (std::size_t i = 0; i < records.size(); ++i) {
    Record& r = records[i];
    if (r.type == kRecordTopicHeader) r.linkData1 = topicHeaderData(records, headerIndex, i);
    stream.u32(std::uint32_t(r.size()));
    stream.u32(std::uint32_t(r.linkData2.size()));
    stream.u32(i == 0 ? 0xFFFFFFFF : topicPos(records[i - 1].at));
    stream.u32(i + 1 < records.size() ? topicPos(records[i + 1].at) : 0xFFFFFFFF);
    stream.u32(std::uint32_t(kTopicLinkHeaderSize + r.linkData1.size()));
    stream.u8(r.type);
    stream.bytes(r.linkData1);
    stream.bytes(r.linkData2);
  }
  return stream;
}

// The stream cut into 4 KB blocks, each after its header (the last record starting before
// it, the first starting in it, the last topic header before it).
std::vector<std::uint8_t> cutIntoBlocks(const std::vector<Record>& records, const Bytes& stream) {
  Bytes topic;
  const std::size_t blocks = (stream.size() + kTopicBlockData - 1) / kTopicBlockData;
  for (std::size_t b = 0; b < blocks; ++b) {
    const std::size_t from = b * kTopicBlockData;
    const std::size_t to = from + kTopicBlockData;
    std::uint32_t lastLink = 0xFFFFFFFF, firstLink = 0xFFFFFFFF, lastHeader = 0xFFFFFFFF;
    for (const Record& r : records) {
      if (r.at < from) {
        lastLink = topicPos(r.at);
        if (r.type == kRecordTopicHeader) lastHeader = topicPos(r.at);
      } else if (r.at < to && firstLink == 0xFFFFFFFF) {
        firstLink = topicPos(r.at);
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
  return topic.data;
}

} // namespace

TopicFile topicFile(const HelpText& help) {
  std::vector<std::size_t> headerIndex; // per topic, its header's index in records
  std::vector<Record> records = collectRecords(help, headerIndex);
  TopicFile out;
  out.topicOffsets = placeRecords(records, help.topics.size());
  const Bytes stream = linkRecords(records, headerIndex);
  out.data = cutIntoBlocks(records, stream);
  return out;
}

} // namespace tavrin::help::detail
