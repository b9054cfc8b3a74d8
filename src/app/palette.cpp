#include "app/palette.h"

#include "app/commands.h"
#include "app/toolbars.h"

#include <commctrl.h>

namespace tavrin {

namespace {
constexpr int kTabHeight = 22;
}

void Palette::create(HWND rebar, int id, HWND main, HIMAGELIST pictures, HFONT font,
                     const win32::ErrorBox& errors) {
  main_ = main;
  createWindow("TPageControl", 0, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, kHeight,
               rebar, &errors);
  SetWindowLongPtrA(hwnd(), GWLP_ID, id);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "",
                          WS_CHILD | WS_VISIBLE | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_FOCUSNEVER, 2,
                          2, 400, kTabHeight, hwnd(), nullptr, instance, nullptr);
  SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  int index = 0;
  for (const PalettePage& page : palettePages()) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(page.title);
    SendMessageA(tabs_, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    pages_.push_back(
        createPaletteRow(hwnd(), page, index, pictures, font, kTabHeight + 6, index == 0));
    ++index;
  }
  addBand(rebar, hwnd(), 200, kHeight, true);
}

void Palette::showPage(int chosen) const {
  for (int i = 0; i < static_cast<int>(pages_.size()); ++i)
    ShowWindow(pages_[static_cast<std::size_t>(i)], i == chosen ? SW_SHOW : SW_HIDE);
}

LRESULT Palette::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_COMMAND:
    return main_ ? SendMessageA(main_, msg, wp, lp) : 0;
  case WM_NOTIFY: {
    auto* header = reinterpret_cast<NMHDR*>(lp);
    if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
      showPage(static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0)));
      return 0;
    }
    return main_ ? SendMessageA(main_, msg, wp, lp) : 0;
  }
  }
  return defaultHandle(msg, wp, lp);
}

} // namespace tavrin
