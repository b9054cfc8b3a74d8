// CopyChars and the build script's parameter against a position-by-position model.
#include "build/copy_chars.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The characters at 1-based positions start .. start + count - 1 that lie within the
// first 255 characters, both numbers taken as 8-bit values.
std::string model(const std::string& s, unsigned start, unsigned count) {
  const long first = static_cast<long>(start % 256);
  const long last = first + static_cast<long>(count % 256) - 1;
  const long length = static_cast<long>(s.size() < 255 ? s.size() : 255);
  std::string out;
  for (long p = first; p <= last; ++p)
    if (p >= 1 && p <= length) out += s[static_cast<std::size_t>(p - 1)];
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const unsigned start = in.ConsumeIntegral<unsigned>();
  const unsigned count = in.ConsumeIntegral<unsigned>();
  const std::string s = in.ConsumeRemainingBytesAsString();
  if (tavrin::CopyChars(s, start, count) != model(s, start, count)) std::abort();
  // The parameter: the name without its last four characters, the count wrapping at 8
  // bits, so names of one to three characters come back whole (cut to 255).
  const unsigned cut = static_cast<unsigned>(s.size()) - 4u;
  if (tavrin::compileBaseName(s) != model(s, 1, cut)) std::abort();
  return 0;
}
