#pragma once
// TForm2, the About dialog: the banner with the version, the maker's links, the note
// on what the compiler takes, and the Close and Website buttons. Made once at start-up
// from its template and shown modally; closing only hides it.
#include "resource.h"
#include "win32/dialog_base.h"
#include "win32/handles.h"
#include "win32/message_loop.h"
#include "win32/shell_win32.h"

namespace tavrin {

inline constexpr const char* kMakerEmail = "info@tavrin.example";
inline constexpr const char* kMakerWebsite = "http://www.tavrin.example";

class TForm2 : public win32::DialogBase {
public:
  TForm2(const win32::ErrorBox& errors, win32::MessageLoop& loop);

  // Creates the hidden dialog and its controls.
  void create(HWND owner);
  // Shows the dialog and returns when it is closed; the rest of the program waits.
  void showModal();

  void SpeedButton1Click(); // Close
  void SpeedButton2Click(); // Website, also the website link
  void Label3Click();       // the e-mail link

protected:
  bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
  HWND Label3() const { return item(IDC_ABOUT_LABEL3); } // the e-mail link
  HWND Label5() const { return item(IDC_ABOUT_LABEL5); } // the website link
  HWND Beta() const { return item(IDC_ABOUT_BETA); }
  void FormCreate();
  bool command(int id, int code);
  bool controlColour(HDC dc, HWND control, LRESULT* brush) const;

  win32::MessageLoop& loop_;
  win32::Win32Shell shell_;
  win32::Font boldFont_, linkFont_, italicFont_;
  win32::Bitmap banner_;
};

} // namespace tavrin
