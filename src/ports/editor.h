#pragma once
// The editor control as the logic sees it. Text is 8-bit ANSI with CR LF breaks.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

class Editor {
public:
  virtual ~Editor() = default;

  virtual std::string text() const = 0;
  // Hands the text to `put` in pieces, in order, without making one copy of all of it
  // (what text() costs). The pieces joined are text().
  virtual void readText(const std::function<void(std::string_view)>& put) const { put(text()); }
  // Replaces the whole text. Notifies once when the text differs, never when it is
  // the same. Throws Error("Text exceeds memo capacity") when the control refuses it.
  virtual void setText(const std::string& text) = 0;
  // Empties the editor without notifying.
  virtual void clear() = 0;
  // Inserts the pieces one after another at the end of the text, as one edit outside
  // the undo history; leaves the caret after them and scrolls it into view. Notifies
  // once for each piece that is not empty, as if each had been inserted alone.
  virtual void insertAtEnd(const std::vector<std::string>& pieces) = 0;
  // The last `count` characters (fewer when the text is shorter), read without
  // copying the whole text.
  virtual std::string tail(std::size_t count) const = 0;
  // True when the editor would give these bytes back as they are. In a code page of more
  // than one byte per character a byte sequence that is no character of it would come
  // back changed. May throw Error("Text exceeds memo capacity") for a text too large for
  // the editor.
  virtual bool keepsBytes(std::string_view text) const = 0;
  // The number of the system's code page the text is in, for messages.
  virtual unsigned codePage() const = 0;
  virtual void focus() = 0;
  // Offsets into the whole text, a line break counting two characters; scrolls the
  // selection into view.
  virtual void select(std::size_t start, std::size_t length) = 0;
  virtual void onChange(std::function<void()> handler) = 0;
};

} // namespace tavrin
