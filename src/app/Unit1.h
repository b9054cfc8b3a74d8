#pragma once
// TForm1, the main window: the editor, its name bar, toolbar, snippet palette, menu
// and status bar, and every handler of its commands.
#include "document/editor_document.h"
#include "document/file_commands.h"
#include "ports/locale_settings.h"
#include "win32/edit_adapter.h"
#include "win32/file_dialogs.h"
#include "win32/file_system_win32.h"
#include "win32/locale_win32.h"
#include "win32/message_box.h"
#include "win32/window_base.h"

#include <commctrl.h>
#include <commdlg.h>

#include <memory>
#include <string>

namespace tavrin {

class TForm2;
class TForm3;

class TForm1 : public win32::WindowBase, public DocumentView {
public:
  TForm1();
  ~TForm1() override;
  // Creates the window and its controls; runs FormCreate.
  void create(HWND owner);
  // Shows the window; runs FormShow.
  void show(int showCommand);
  HACCEL accelerators() const { return accelerators_; }
  // The About and Configuration dialogs, made after this window.
  void setDialogs(TForm2* about, TForm3* configuration);

  // DocumentView
  std::string nameBar() const override;
  void setNameBar(const std::string& caption) override;
  bool saveEnabled() const override { return saveEnabled_; }
  void setSaveEnabled(bool enabled) override;
  void setDateText(const std::string& text) override;

  // Event handlers, named after the control and event that run them.
  void FormCreate();
  void FormShow();
  bool FormClose();
  void SpeedButton2Click(); // New
  void btn_OpenClick();
  void SpeedButton1Click(); // Save
  void Save1Click();        // Save as
  void Exit1Click();
  void SpeedButton3Click(); // Compile
  void Configuration1Click();
  void Search2Click();
  void FindDialog1Find();
  void Index1Click();
  void About1Click();
  void NormalStart1Click();
  void ClearScreen1Click();
  void SpeedButton12Click();
  void ReturnClose1Click();
  void BigText1Click();
  void SmallText1Click();
  void extdb1Click();
  void SetInverse1Click();
  void ResInverse1Click();

  std::string AsmBatDir;

protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void createControls();
  void createMenu();
  void createToolbar();
  void createPalette();
  void layout();
  void command(int id);
  void readLocale();

  HWND CoolBar1 = nullptr, ToolBar1 = nullptr, PageControl1 = nullptr, Panel2 = nullptr,
       Panel3 = nullptr, Memo1 = nullptr, StatusBar1 = nullptr;
  HWND pages_[3] = {};
  SIZE laidOut_ = {-1, -1}; // the client size of the last layout
  HWND self_ = nullptr;     // the window handle, for the adapters that need an owner
  HMENU menu_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HIMAGELIST pictures_ = nullptr, greyPictures_ = nullptr;
  HFONT font_ = nullptr, boldFont_ = nullptr, memoFont_ = nullptr;
  HBRUSH black_ = nullptr;
  bool saveEnabled_ = false;

  win32::Win32FileSystem files_;
  win32::Win32Locale locale_;
  win32::MessageBoxPrompt prompt_{&self_};
  win32::Win32FileDialog OpenDialog1{win32::Win32FileDialog::Kind::Open, &self_};
  win32::Win32FileDialog SaveDialog1{win32::Win32FileDialog::Kind::Save, &self_};
  std::unique_ptr<win32::EditAdapter> editor_;
  std::unique_ptr<EditorDocument> document_;
  std::unique_ptr<FileCommands> fileCommands_;

  // The dialogs, the application window's prompt and the Compile command with its
  // launcher (defined with the handlers).
  TForm2* About_ = nullptr;
  TForm3* Configuration_ = nullptr;
  HWND appWindow_ = nullptr;
  win32::MessageBoxPrompt appPrompt_{&appWindow_};
  struct BuildHost;
  std::unique_ptr<BuildHost> build_;

  // The modeless Find dialog and the text it edits.
  FINDREPLACEA FindDialog1{};
  std::string findText_ = std::string(256, '\0');
  HWND findWindow_ = nullptr;
  UINT findMessage_ = 0;
};

} // namespace tavrin
