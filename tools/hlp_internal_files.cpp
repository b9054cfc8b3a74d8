#include "hlp_internal_files.h"

#include "hlp_bytes.h"

#include <stdexcept>

namespace tavrin::help::detail {
namespace {

constexpr std::uint32_t kFileMagic = 0x00035F3F;
constexpr std::uint16_t kBTreeMagic = 0x293B;
constexpr std::size_t kFileHeaderSize = 9; // every internal file starts with one
constexpr std::size_t kBTreeHeaderSize = 38;
constexpr std::uint16_t kBTreePageSize = 1024;

// An internal file: its 9-byte header (reserved space, used space, flags) and body.
std::vector<std::uint8_t> internalFile(const std::vector<std::uint8_t>& body) {
  Bytes f;
  f.u32(std::uint32_t(body.size() + kFileHeaderSize));
  f.u32(std::uint32_t(body.size()));
  f.u8(4);
  f.bytes(body);
  return f.data;
}

} // namespace

std::vector<std::uint8_t> singlePageBTree(std::string_view structure, std::uint16_t flags,
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

std::vector<std::uint8_t>
helpFileSystem(const std::map<std::string, std::vector<std::uint8_t>>& files) {
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
    out.bytes(internalFile(body));
  }
  out.putU32(4, std::uint32_t(out.size()));
  out.bytes(internalFile(singlePageBTree("z4", 0x0402, directoryEntries)));
  out.putU32(12, std::uint32_t(out.size()));
  return out.data;
}

} // namespace tavrin::help::detail
