#include "document/text_format.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

namespace {

const char* findByte(const char* from, const char* end, char c) {
  const void* hit = std::memchr(from, c, static_cast<std::size_t>(end - from));
  return hit ? static_cast<const char*>(hit) : end;
}

} // namespace

std::string toEditorText(std::string_view fileBytes) {
  std::string out;
  if (fileBytes.empty()) return out;
  // Every byte a lone LF is the worst case: twice the size, so the buffer never grows.
  out.reserve(fileBytes.size() * 2);
  const char* p = fileBytes.data();
  const char* const end = p + fileBytes.size();
  // The next CR and the next LF at or after p, each searched again only once passed.
  const char* cr = findByte(p, end, '\r');
  const char* lf = findByte(p, end, '\n');
  while (p < end) {
    if (cr < p) cr = findByte(p, end, '\r');
    if (lf < p) lf = findByte(p, end, '\n');
    const char* br = std::min(cr, lf);
    out.append(p, br);
    if (br == end) break;
    out.append("\r\n", 2);
    p = br + (br == cr && br + 1 == lf ? 2 : 1);
  }
  return out;
}

bool holdsNul(std::string_view bytes) {
  return bytes.find('\0') != std::string_view::npos;
}

} // namespace tavrin
