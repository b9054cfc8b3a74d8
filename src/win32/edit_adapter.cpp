#include "win32/edit_adapter.h"

#include "core/error.h"
#include "document/file_errors.h"
#include "document/text_lines.h"

#include <climits>
#include <new>

namespace tavrin::win32 {

EditAdapter::EditAdapter(HWND edit) : edit_(edit) {
  // The control's default limit is 30000 characters; the program sets none of its own.
  SendMessageA(edit_, EM_SETLIMITTEXT, 0, 0);
}

std::string EditAdapter::text() const {
  int length = GetWindowTextLengthA(edit_);
  std::string out(static_cast<std::size_t>(length) + 1, '\0');
  int got = GetWindowTextA(edit_, out.data(), length + 1);
  out.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return out;
}

void EditAdapter::replaceAll(const std::string& text) {
  // WM_SETTEXT raises no EN_CHANGE for a multi-line control on Windows or Wine; stay
  // quiet in case a platform does, so each replace notifies exactly as the port says.
  quiet_ = true;
  LRESULT ok = SendMessageA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  quiet_ = false;
  // A control short of memory may also keep only part of the text and still say yes.
  if (!ok || static_cast<std::size_t>(GetWindowTextLengthA(edit_)) != text.size())
    throw Error(kTextExceedsMemo);
}

void EditAdapter::setText(const std::string& text) {
  // Compare lengths first: reading the whole text is only needed when they match.
  if (static_cast<std::size_t>(GetWindowTextLengthA(edit_)) == text.size() && this->text() == text)
    return;
  try {
    replaceAll(text);
  } catch (const std::bad_alloc&) {
    throw Error(kTextExceedsMemo);
  }
  SendMessageA(edit_, EM_EMPTYUNDOBUFFER, 0, 0);
  if (handler_) handler_();
}

void EditAdapter::clear() {
  replaceAll("");
  SendMessageA(edit_, EM_EMPTYUNDOBUFFER, 0, 0);
}

void EditAdapter::insertAtEnd(const std::vector<std::string>& pieces) {
  std::string all;
  int changes = 0;
  for (const auto& piece : pieces) {
    all += piece;
    changes += !piece.empty();
  }
  if (all.empty()) return;
  // A position past the end puts the caret at the end without asking for the length,
  // which the control works out by converting its whole text.
  SendMessageA(edit_, EM_SETSEL, INT_MAX, INT_MAX);
  // One replace: the control rewraps and remeasures its text once, which costs the
  // more the longer the document is. fCanUndo FALSE: Undo can't take it back. Its one
  // EN_CHANGE is replaced by one notification per piece.
  quiet_ = true;
  SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(all.c_str()));
  quiet_ = false;
  SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
  for (int i = 0; i < changes && handler_; ++i)
    handler_();
}

std::string EditAdapter::tail(std::size_t count) const {
  if (count == 0) return {};
  // The last screen line tells how the text ends without copying all of it: it is
  // empty after a final line break (a wrapped line never leaves an empty one).
  LRESULT lines = SendMessageA(edit_, EM_GETLINECOUNT, 0, 0);
  LRESULT start = SendMessageA(edit_, EM_LINEINDEX, lines - 1, 0);
  LRESULT length = SendMessageA(edit_, EM_LINELENGTH, start, 0);
  if (length == 0) {
    if (lines <= 1) return {};
    if (count <= 2) return std::string("\r\n").substr(2 - count);
  } else if (static_cast<std::size_t>(length) >= count) {
    // EM_GETLINE takes the buffer size in its first WORD.
    std::string buffer(std::max<std::size_t>(static_cast<std::size_t>(length), sizeof(WORD)) + 1,
                       '\0');
    *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(std::min<LRESULT>(length, 0xFFFF));
    LRESULT got =
        SendMessageA(edit_, EM_GETLINE, lines - 1, reinterpret_cast<LPARAM>(buffer.data()));
    if (got == length) return buffer.substr(static_cast<std::size_t>(got) - count, count);
  }
  std::string all = text();
  return all.substr(all.size() - std::min(count, all.size()));
}

int EditAdapter::lineCount() const {
  const std::string all = text();
  return static_cast<int>(splitLines(all).size());
}

std::string EditAdapter::line(int index) const {
  const std::string whole = text(); // the lines below point into it
  auto all = splitLines(whole);
  return index >= 0 && static_cast<std::size_t>(index) < all.size()
             ? std::string(all[static_cast<std::size_t>(index)])
             : std::string();
}

void EditAdapter::focus() {
  SetFocus(edit_);
}

void EditAdapter::select(std::size_t start, std::size_t length) {
  SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
  SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}

void EditAdapter::controlChanged() {
  if (!quiet_ && handler_) handler_();
}

} // namespace tavrin::win32
