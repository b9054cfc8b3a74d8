#pragma once
// TForm3, the Configuration dialog: the folder of go.bat, a browse button, the warning
// when the script is not there, and Close and Save. Created once at start-up and shown
// modally; closing only hides it, so the field keeps its text.
#include "build/config_dialog.h"
#include "win32/file_system_win32.h"
#include "win32/folder_browser_win32.h"
#include "win32/message_box.h"
#include "win32/registry_win32.h"
#include "win32/window_base.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

namespace tavrin {

class TForm3 : public win32::WindowBase, public ConfigView {
public:
  // setAsmBatDir writes the main window's AsmBatDir when a folder is saved.
  explicit TForm3(std::function<void(const std::string&)> setAsmBatDir);
  ~TForm3() override;
  TForm3(const TForm3&) = delete;
  TForm3& operator=(const TForm3&) = delete;

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
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void createControls();

  HWND self_ = nullptr;
  HWND Edit1 = nullptr, Label1 = nullptr;
  // The field's text and the warning's state until the controls exist.
  std::string folder_ = "c:\\";
  bool warningVisible_ = false;
  HFONT font_ = nullptr, boldFont_ = nullptr;
  HIMAGELIST pictures_ = nullptr;

  win32::Win32Registry registry_;
  win32::Win32FolderBrowser browser_{&win32::applicationWindow};
  win32::Win32FileSystem files_;
  win32::MessageBoxPrompt prompt_{&self_};
  std::unique_ptr<ConfigDialog> logic_;
};

} // namespace tavrin
