// The load conversion: every break comes out as CR LF, and apart from the breaks the
// text is the file's own.
#include "document/text_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Each break of the file (CR LF, a lone CR, a lone LF) as one '\n', read byte by byte.
std::string breaksAsNewline(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out += '\n';
    } else {
      out += bytes[i];
    }
  }
  return out;
}

// The editor text with its CR LF pairs as '\n'; a lone CR or LF aborts.
std::string editorBreaksAsNewline(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 >= text.size() || text[i + 1] != '\n') std::abort();
      out += '\n';
      ++i;
    } else if (text[i] == '\n') {
      std::abort(); // LF without its CR
    } else {
      out += text[i];
    }
  }
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = tavrin::toEditorText(std::string(bytes));
  if (editorBreaksAsNewline(text) != breaksAsNewline(bytes)) std::abort();
  // Converting again changes nothing: saving what was loaded and loading it back.
  if (tavrin::toEditorText(text) != text) std::abort();
  if (tavrin::holdsNul(bytes) != (bytes.find('\0') != std::string_view::npos)) std::abort();
  return 0;
}
