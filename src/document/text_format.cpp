#include "document/text_format.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

namespace {

const char* findByte(const char* from, const char* end, char c) {
  const void* hit = std::memchr(from, c, static_cast<std::size_t>(end - from));
  return hit ? static_cast<const char*>(hit) : end;
}

// The first line break that is not a CR LF pair; `end` when every break is one. In
// such a text a byte is CR exactly when the next one is LF, a test without branches that
// the compiler runs over many bytes at once; blocks keep the first mismatch near.
const char* firstLoneBreak(const char* begin, const char* end) {
  const std::size_t n = static_cast<std::size_t>(end - begin);
  if (n == 0) return end;
  if (begin[0] == '\n') return begin;
  constexpr std::size_t kBlock = 4096;
  for (std::size_t at = 0; at + 1 < n; at += kBlock) {
    const std::size_t stop = std::min(at + kBlock, n - 1);
    unsigned char mismatch = 0;
    for (std::size_t i = at; i < stop; ++i)
      mismatch |= (begin[i] == '\r') != (begin[i + 1] == '\n');
    if (!mismatch) continue;
    for (std::size_t i = at; i < stop; ++i)
      if ((begin[i] == '\r') != (begin[i + 1] == '\n'))
        return begin + (begin[i] == '\r' ? i : i + 1); // the lone CR, or the lone LF after i
  }
  return begin[n - 1] == '\r' ? end - 1 : end;
}

} // namespace

std::string toEditorText(std::string fileBytes) {
  const char* p = fileBytes.data();
  const char* const end = p + fileBytes.size();
  const char* lone = firstLoneBreak(p, end);
  // A file written by the editor or any Windows program: nothing to convert, no copy.
  if (lone == end) return fileBytes;

  std::string out;
  // Each lone break grows the text by one byte. Room for one in every eight bytes covers
  // any source with lines of eight characters or more at a fraction of the worst case's
  // memory; a text of shorter lines makes the buffer grow once or twice.
  out.reserve(fileBytes.size() + fileBytes.size() / 8 + 2);
  out.append(p, lone);
  p = lone;
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
