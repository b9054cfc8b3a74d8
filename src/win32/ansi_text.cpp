#include "win32/ansi_text.h"

#include "core/error.h"
#include "document/file_errors.h"

#include <climits>

namespace tavrin::win32 {

namespace {

bool isAscii(std::string_view text) {
  unsigned char all = 0;
  for (char c : text)
    all |= static_cast<unsigned char>(c);
  return all < 0x80;
}

// The system's conversions count in int; a text beyond that is more than any control holds.
int checkedLength(std::size_t length) {
  if (length > INT_MAX / 2) throw Error(kTextExceedsMemo);
  return static_cast<int>(length);
}

} // namespace

std::size_t wideLength(std::string_view ansi) {
  if (ansi.empty() || isAscii(ansi)) return ansi.size();
  return static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), checkedLength(ansi.size()), nullptr, 0));
}

void toWide(std::string_view ansi, wchar_t* out, std::size_t room) {
  if (isAscii(ansi)) {
    for (char c : ansi)
      *out++ = static_cast<wchar_t>(c);
    return;
  }
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), checkedLength(ansi.size()), out, checkedLength(room));
}

std::wstring toWide(std::string_view ansi) {
  std::wstring out(wideLength(ansi), L'\0');
  toWide(ansi, out.data(), out.size());
  return out;
}

std::string toAnsi(std::wstring_view wide) {
  std::string out(wide.size(), '\0');
  wchar_t all = 0;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    all |= wide[i];
    out[i] = static_cast<char>(wide[i]);
  }
  if (all < 0x80) return out;
  const int length = checkedLength(wide.size());
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  out.assign(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, out.data(), bytes, nullptr, nullptr);
  return out;
}

bool validInCodePage(std::string_view ansi, unsigned codePage) {
  CPINFO info{};
  if (!GetCPInfo(codePage, &info) || info.MaxCharSize <= 1 || isAscii(ansi)) return true;
  const int length = checkedLength(ansi.size());
  const int wide =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, ansi.data(), length, nullptr, 0);
  if (wide <= 0) return false;
  // Valid sequences can still come back as others: a character with two codes (as in
  // code page 932) comes back as the one the conversion prefers.
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(codePage, 0, ansi.data(), length, text.data(), wide);
  const int back =
      WideCharToMultiByte(codePage, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  if (back != length) return false;
  std::string again(static_cast<std::size_t>(back), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), wide, again.data(), back, nullptr, nullptr);
  return again == ansi;
}

} // namespace tavrin::win32
