#pragma once
// TForm2, the About dialog: the banner with the version, the maker's links, the note
// on what the compiler takes, and the Close and Website buttons. Created once at
// start-up and shown modally; closing only hides it.
#include "win32/shell_win32.h"
#include "win32/window_base.h"

#include <string>

namespace tavrin {

inline constexpr const char* kMakerEmail = "info@tavrin.example";
inline constexpr const char* kMakerWebsite = "http://www.tavrin.example";

class TForm2 : public win32::WindowBase {
public:
  TForm2() = default;
  ~TForm2() override;
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  // Creates the hidden dialog and its controls.
  void create(HWND owner);
  // Shows the dialog and returns when it is closed; the rest of the program waits.
  void showModal();

  void SpeedButton1Click(); // Close
  void SpeedButton2Click(); // Website, also the website link
  void Label3Click();       // the e-mail link

protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void createControls();
  HWND label(int id, const char* text, int x, int y, int w, HFONT font, DWORD style = 0,
             HWND parent = nullptr);
  LRESULT controlColour(HDC dc, HWND control);

  HWND self_ = nullptr;
  win32::Win32Shell shell_{&self_};
  HWND Banner = nullptr, Label3 = nullptr, Label5 = nullptr, Version = nullptr, Beta = nullptr;
  HFONT font_ = nullptr, boldFont_ = nullptr, linkFont_ = nullptr, italicFont_ = nullptr;
  HBITMAP banner_ = nullptr;
};

} // namespace tavrin
