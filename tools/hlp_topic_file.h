// |TOPIC: the records of every topic, linked to each other and cut into 4 KB blocks, and
// where each topic starts as the viewer counts it (the offset the indexes point to).
#pragma once

#include "help_text.h"

#include <cstdint>
#include <vector>

namespace tavrin::help::detail {

struct TopicFile {
  std::vector<std::uint8_t> data;
  std::vector<std::uint32_t> topicOffsets; // per topic of the help text
};

TopicFile topicFile(const HelpText& help);

} // namespace tavrin::help::detail
