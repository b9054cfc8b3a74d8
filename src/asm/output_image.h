// The bytes a program makes, in the order its statements make them, with the address each
// statement's bytes start at. .org moves the address only: nothing pads the gaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavasm {

class OutputImage {
public:
  struct Piece {
    size_t statement;
    std::uint32_t address;
    size_t offset, size; // in bytes()
  };

  // Appends one statement's bytes at `address`.
  void add(size_t statement, std::uint32_t address, const std::uint8_t* bytes, size_t size);
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  const std::vector<Piece>& pieces() const { return pieces_; }
  std::uint32_t origin() const { return pieces_.empty() ? 0 : pieces_.front().address; }
  void clear();

private:
  std::vector<std::uint8_t> bytes_;
  std::vector<Piece> pieces_;
};

} // namespace tavasm
