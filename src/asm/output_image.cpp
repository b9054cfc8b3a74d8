#include "asm/output_image.h"

namespace tavasm {

void OutputImage::add(size_t statement, std::uint32_t address, const std::uint8_t* bytes,
                      size_t size) {
  if (size == 0) return;
  Piece& last =
      pieces_.empty() ? pieces_.emplace_back(Piece{statement, address, 0, 0}) : pieces_.back();
  if (last.statement != statement || last.address + last.size != address)
    pieces_.push_back({statement, address, bytes_.size(), 0});
  pieces_.back().size += size;
  bytes_.insert(bytes_.end(), bytes, bytes + size);
}

void OutputImage::clear() {
  bytes_.clear();
  pieces_.clear();
}

} // namespace tavasm
