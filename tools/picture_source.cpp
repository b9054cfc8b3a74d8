#include "picture_source.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tavrin::pictures {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  return s;
}

std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
      ++i;
    std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t')
      ++i;
    if (i > start) out.push_back(s.substr(start, i - start));
  }
  return out;
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::optional<Rgba> parseColour(std::string_view text) {
  if (text == "none") return Rgba{0, 0, 0, 0};
  if (text.size() != 6) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * 16 + std::uint32_t(digit);
  }
  return Rgba{std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value), 255};
}

// Reads the source block by block, one step per kind of block, then checks the whole.
class SourceReader {
public:
  explicit SourceReader(std::string_view text) : lines_(splitLines(text)) {}
  PictureSet run();

private:
  void readColour(const std::vector<std::string_view>& w, int lineNo);
  void readPicture(const std::vector<std::string_view>& w, int lineNo);
  void readIcon(const std::vector<std::string_view>& w, int lineNo);
  Image readRows(int size, int headerLine, const std::string& what);
  void checkComplete() const;

  std::vector<std::string_view> lines_;
  std::size_t next_ = 0; // the next line to read
  std::map<char, Rgba> palette_;
  PictureSet set_;
};

PictureSet SourceReader::run() {
  while (next_ < lines_.size()) {
    int lineNo = int(next_) + 1;
    std::string_view line = trimmed(lines_[next_++]);
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string_view> w = words(line);
    if (w[0] == "colour")
      readColour(w, lineNo);
    else if (w[0] == "picture")
      readPicture(w, lineNo);
    else if (w[0] == "icon")
      readIcon(w, lineNo);
    else
      throw FormatError(lineNo, "unknown line '" + std::string(line) + "'");
  }
  checkComplete();
  return std::move(set_);
}

void SourceReader::readColour(const std::vector<std::string_view>& w, int lineNo) {
  if (w.size() != 3 || w[1].size() != 1)
    throw FormatError(lineNo, "expected: colour <character> <RRGGBB|none>");
  char c = w[1][0];
  if (c == '#') throw FormatError(lineNo, "'#' cannot be a palette character");
  auto colour = parseColour(w[2]);
  if (!colour) throw FormatError(lineNo, "bad colour '" + std::string(w[2]) + "'");
  if (colour->a != 0 && Rgba{colour->r, colour->g, colour->b, 255} == kClearKey)
    throw FormatError(lineNo, "FF00FF is the clear colour; use 'none'");
  if (!palette_.emplace(c, *colour).second)
    throw FormatError(lineNo, std::string("palette character '") + c + "' given twice");
}

void SourceReader::readPicture(const std::vector<std::string_view>& w, int lineNo) {
  if (w.size() != 2) throw FormatError(lineNo, "expected: picture <name>");
  std::size_t index = set_.pictures.size();
  if (index >= kPictureNames.size())
    throw FormatError(lineNo, "more than " + std::to_string(kPictureNames.size()) + " pictures");
  if (w[1] != kPictureNames[index])
    throw FormatError(lineNo, "picture " + std::to_string(index) + " is '" + std::string(w[1]) +
                                  "', expected '" + std::string(kPictureNames[index]) + "'");
  set_.pictures.push_back(readRows(kPictureSize, lineNo, "picture '" + std::string(w[1]) + "'"));
}

void SourceReader::readIcon(const std::vector<std::string_view>& w, int lineNo) {
  int size = 0;
  for (int s : kIconSizes)
    if (w.size() == 2 && w[1] == std::to_string(s)) size = s;
  if (size == 0) throw FormatError(lineNo, "expected: icon 16 or icon 32");
  if (set_.icons.count(size))
    throw FormatError(lineNo, "icon " + std::to_string(size) + " given twice");
  set_.icons[size] = readRows(size, lineNo, "icon " + std::to_string(size));
}

// The `size` rows after the block's first line, each `size` palette characters.
Image SourceReader::readRows(int size, int headerLine, const std::string& what) {
  Image image(size, size);
  for (int y = 0; y < size; ++y) {
    int lineNo = headerLine + 1 + y;
    if (next_ >= lines_.size())
      throw FormatError(lineNo, what + " ends after " + std::to_string(y) + " rows, expected " +
                                    std::to_string(size));
    std::string_view row = trimmed(lines_[next_++]);
    if (int(row.size()) != size)
      throw FormatError(lineNo, what + " row has " + std::to_string(row.size()) +
                                    " pixels, expected " + std::to_string(size));
    for (int x = 0; x < size; ++x) {
      auto found = palette_.find(row[std::size_t(x)]);
      if (found == palette_.end())
        throw FormatError(lineNo, what + " uses '" + row[std::size_t(x)] +
                                      "', which is not in the palette");
      image.at(x, y) = found->second;
    }
  }
  return image;
}

void SourceReader::checkComplete() const {
  if (set_.pictures.size() != kPictureNames.size())
    throw FormatError(0, "found " + std::to_string(set_.pictures.size()) + " pictures, expected " +
                             std::to_string(kPictureNames.size()));
  for (int s : kIconSizes)
    if (!set_.icons.count(s)) throw FormatError(0, "icon " + std::to_string(s) + " is missing");
}

} // namespace

PictureSet parsePictureSource(std::string_view text) {
  return SourceReader(text).run();
}

} // namespace tavrin::pictures
