#pragma once
// TForm3, the Configuration dialog: the folder of go.bat, a browse button, the warning
// when the script is not there, and Close and Save. Made once at start-up from its
// template, when it reads the stored folder and checks for the script; shown modally,
// and closing only hides it, so the field keeps its text.
#include "build/config_dialog.h"
#include "build/script_folder.h"
#include "resource.h"
#include "win32/dialog_base.h"
#include "win32/file_system_win32.h"
#include "win32/folder_browser_win32.h"
#include "win32/handles.h"
#include "win32/message_box.h"
#include "win32/message_loop.h"
#include "win32/registry_win32.h"

#include <string>

namespace tavrin {

class TForm3 : public win32::DialogBase, public ConfigView {
public:
  // The folder browser is owned by browserOwner (the application window); a saved
  // folder becomes setting's.
  TForm3(const win32::ErrorBox& errors, win32::MessageLoop& loop, const HWND* browserOwner,
         ScriptFolder& setting);

  // Creates the hidden dialog and its controls; runs FormCreate.
  void create(HWND owner);
  // Shows the dialog and returns when it is closed; the rest of the program waits.
  void showModal();

  // ConfigView
  std::string folderText() const override;
  void setFolderText(const std::string& text) override;
  void setWarningVisible(bool visible) override;
  void closeDialog() override;

  void FormCreate();
  void SpeedButton1Click(); // "..."
  void SpeedButton2Click(); // " Save"
  void SpeedButton3Click(); // "Close"

protected:
  bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
  HWND Edit1() const { return item(IDC_CONFIG_EDIT1); }
  HWND Label1() const { return item(IDC_CONFIG_LABEL1); }
  bool command(int id);
  void drawButton(const DRAWITEMSTRUCT& item);

  win32::MessageLoop& loop_;
  win32::Font boldFont_;
  win32::ImageList pictures_;
  win32::Win32Registry registry_;
  win32::Win32FolderBrowser browser_;
  win32::Win32FileSystem files_;
  win32::MessageBoxPrompt prompt_;
  ConfigDialog logic_;
};

} // namespace tavrin
