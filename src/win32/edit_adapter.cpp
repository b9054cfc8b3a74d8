#include "win32/edit_adapter.h"

#include "core/error.h"
#include "document/file_errors.h"
#include "win32/ansi_text.h"

#include <climits>
#include <new>

namespace tavrin::win32 {

namespace {

// The control's text in its own buffer, locked while this lives. Asking for the buffer
// hands no copy out: the control keeps using it.
class ControlText {
public:
  ControlText(HWND edit, std::size_t length)
      : buffer_(reinterpret_cast<HLOCAL>(SendMessageW(edit, EM_GETHANDLE, 0, 0))),
        chars_(static_cast<const wchar_t*>(buffer_ ? LocalLock(buffer_) : nullptr)),
        length_(chars_ ? length : 0) {}
  ~ControlText() {
    if (chars_) LocalUnlock(buffer_);
  }
  ControlText(const ControlText&) = delete;
  ControlText& operator=(const ControlText&) = delete;
  std::wstring_view chars() const { return {chars_, length_}; }

private:
  HLOCAL buffer_;
  const wchar_t* chars_;
  std::size_t length_;
};

// Memory for the control's text of `units` UTF-16 units, in the form the control takes
// it over in.
HLOCAL bufferFor(const std::string& text, std::size_t units) {
  // Room to grow: the control makes its buffer larger by copying the whole text to new
  // memory, which typing or a fragment at the end of a large text would otherwise need at
  // once. Memory not written to costs no page of the working set.
  const std::size_t room = std::max<std::size_t>(units / 16, 4096);
  if (units >= SIZE_MAX / sizeof(wchar_t) - room - 1) throw Error(kTextExceedsMemo);
  HLOCAL buffer = LocalAlloc(LMEM_MOVEABLE, (units + room + 1) * sizeof(wchar_t));
  auto* chars = static_cast<wchar_t*>(buffer ? LocalLock(buffer) : nullptr);
  if (!chars) {
    if (buffer) LocalFree(buffer);
    throw Error(kTextExceedsMemo);
  }
  toWide(text, chars, units);
  chars[units] = L'\0';
  LocalUnlock(buffer);
  return buffer;
}

} // namespace

HWND EditAdapter::createControl(HWND parent, DWORD style, int id, RECT bounds) {
  return CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                         nullptr);
}

EditAdapter::EditAdapter(HWND edit) : edit_(edit) {
  // The control's default limit is 30000 characters; the program sets none of its own.
  SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
}

std::size_t EditAdapter::length() const {
  return static_cast<std::size_t>(SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0));
}

std::string EditAdapter::text() const {
  const ControlText control(edit_, length());
  return toAnsi(control.chars());
}

void EditAdapter::readText(const std::function<void(std::string_view)>& put) const {
  const ControlText control(edit_, length());
  std::wstring_view rest = control.chars();
  // Pieces of 64K characters: a large text never needs new memory as large as itself,
  // which costs more to fault in than converting it.
  constexpr std::size_t kPiece = 64 * 1024;
  while (!rest.empty()) {
    std::size_t size = std::min(kPiece, rest.size());
    // A surrogate pair stays in one piece.
    if (size < rest.size() && rest[size - 1] >= 0xD800 && rest[size - 1] <= 0xDBFF) --size;
    put(toAnsi(rest.substr(0, size)));
    rest.remove_prefix(size);
  }
}

void EditAdapter::replaceAll(const std::string& text) {
  const std::size_t units = wideLength(text);
  HLOCAL buffer = bufferFor(text, units);
  HLOCAL old = reinterpret_cast<HLOCAL>(SendMessageW(edit_, EM_GETHANDLE, 0, 0));
  // The control takes the buffer over as it is, with no copy; the one it had is ours to
  // free. It raises no EN_CHANGE; stay quiet in case a platform does, so each replace
  // notifies exactly as the port says.
  quiet_ = true;
  SendMessageW(edit_, EM_SETHANDLE, reinterpret_cast<WPARAM>(buffer), 0);
  quiet_ = false;
  if (old && old != buffer) LocalFree(old);
  if (length() != units) throw Error(kTextExceedsMemo);
}

void EditAdapter::setText(const std::string& text) {
  if (wideLength(text) == length() && this->text() == text) return;
  try {
    replaceAll(text);
  } catch (const std::bad_alloc&) {
    throw Error(kTextExceedsMemo);
  }
  if (handler_) handler_();
}

void EditAdapter::clear() {
  replaceAll("");
}

void EditAdapter::insertAtEnd(const std::vector<std::string>& pieces) {
  std::string all;
  int changes = 0;
  for (const auto& piece : pieces) {
    all += piece;
    changes += !piece.empty();
  }
  if (all.empty()) return;
  const std::wstring wide = toWide(all);
  SendMessageW(edit_, EM_SETSEL, INT_MAX, INT_MAX);
  // One replace: the control rewraps and remeasures its text once, which costs the
  // more the longer the document is. fCanUndo FALSE: Undo can't take it back. Its one
  // EN_CHANGE is replaced by one notification per piece.
  quiet_ = true;
  SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
  quiet_ = false;
  SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
  for (int i = 0; i < changes && handler_; ++i)
    handler_();
}

std::string EditAdapter::tail(std::size_t count) const {
  if (count == 0) return {};
  const ControlText control(edit_, length());
  std::wstring_view chars = control.chars();
  // In a code page of more than one byte per character, a character is at least a byte.
  const std::string last = toAnsi(chars.substr(chars.size() - std::min(count, chars.size())));
  return last.substr(last.size() - std::min(count, last.size()));
}

bool EditAdapter::keepsBytes(std::string_view text) const {
  // The adapter converts with the system's code page both ways.
  return validInCodePage(text, CP_ACP);
}

unsigned EditAdapter::codePage() const {
  return GetACP();
}

void EditAdapter::focus() {
  SetFocus(edit_);
}

void EditAdapter::select(std::size_t start, std::size_t length) {
  // The offsets count the ANSI text's bytes, the control counts UTF-16 units: the same
  // in a code page of one byte per character.
  std::size_t from = start, to = start + length;
  CPINFO info{};
  if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1) {
    const std::string all = text();
    from = wideLength(std::string_view(all).substr(0, std::min(start, all.size())));
    to = wideLength(std::string_view(all).substr(0, std::min(start + length, all.size())));
  }
  SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
  SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

void EditAdapter::controlChanged() {
  if (!quiet_ && handler_) handler_();
}

} // namespace tavrin::win32
