#pragma once
// The snippet palette: a row of tabs over one row of buttons per page, a band of the
// main window's rebar. It shows the chosen tab's page and hands the buttons' commands
// and notifications to the main window.
#include "win32/window_base.h"

#include <commctrl.h>

#include <vector>

namespace tavrin {

class Palette : public win32::WindowBase {
public:
  static constexpr int kHeight = 75;

  // Creates the palette in the rebar, with pages made from the command table.
  void create(HWND rebar, int id, HWND main, HIMAGELIST pictures, HFONT font,
              const win32::ErrorBox& errors);

protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void showPage(int chosen) const;

  HWND main_ = nullptr;
  HWND tabs_ = nullptr;
  std::vector<HWND> pages_;
};

} // namespace tavrin
