// The help file's own small file system: the file header, the internal files (each after
// its 9-byte header) and the directory of their names, a B+ tree like the indexes that
// some internal files are.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::help::detail {

// A B+ tree of one leaf page holding `entries` (each already encoded, in key order);
// throws when they do not fit in the page.
std::vector<std::uint8_t> singlePageBTree(std::string_view structure, std::uint16_t flags,
                                          const std::vector<std::vector<std::uint8_t>>& entries);

// The whole help file holding `files` (internal file name -> body); the map's byte-wise
// name order is the directory's.
std::vector<std::uint8_t>
helpFileSystem(const std::map<std::string, std::vector<std::uint8_t>>& files);

} // namespace tavrin::help::detail
