// Find Next's search against a naive walk over the lines.
#include "find/search.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

bool occursAt(const std::string& text, std::size_t at, std::size_t end, const std::string& needle) {
  if (at + needle.size() > end) return false;
  for (std::size_t k = 0; k < needle.size(); ++k)
    if (text[at + k] != needle[k]) return false;
  return true;
}

// Lines end at CR LF; in the first line holding the needle, its first place.
std::optional<tavrin::Match> naive(const std::string& text, const std::string& needle) {
  if (needle.empty()) return std::nullopt;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = start;
    while (end < text.size() &&
           !(text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n'))
      ++end;
    for (std::size_t at = start; at < end; ++at)
      if (occursAt(text, at, end, needle)) return tavrin::Match{at, needle.size()};
    start = end + 2;
  }
  return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  // A short needle over a small alphabet finds matches often; the text is the rest.
  const std::string needle = in.ConsumeRandomLengthString(16);
  const std::string text = in.ConsumeRemainingBytesAsString();
  const auto found = tavrin::findFirst(text, needle);
  if (found != naive(text, needle)) std::abort();
  if (found && text.compare(found->offset, found->length, needle) != 0) std::abort();
  return 0;
}
