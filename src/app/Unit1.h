#pragma once
// TForm1, the main window: the editor, its name bar, toolbar, snippet palette, menu
// and status bar, and every handler of its commands.
#include "app/find_dialog.h"
#include "app/main_menu.h"
#include "app/palette.h"
#include "build/compile.h"
#include "build/script_folder.h"
#include "document/editor_document.h"
#include "document/file_commands.h"
#include "win32/edit_adapter.h"
#include "win32/file_dialogs.h"
#include "win32/file_system_win32.h"
#include "win32/handles.h"
#include "win32/locale_win32.h"
#include "win32/message_box.h"
#include "win32/message_loop.h"
#include "win32/process_watcher.h"
#include "win32/script_runner_win32.h"
#include "win32/window_base.h"

#include <memory>
#include <optional>
#include <string>

namespace tavrin {

class TForm2;
class TForm3;

// What the main window works with that outlives it.
struct MainWindowContext {
  const win32::ErrorBox& errors;
  win32::MessageLoop& loop;
  win32::ProcessWatcher& processes;
  const HWND* appWindow; // owns the boxes that report finished builds
  ScriptFolder& setting;
  std::string helpFile; // opened by F1 in a menu; empty: none
};

class TForm1 : public win32::WindowBase, public DocumentView {
public:
  explicit TForm1(MainWindowContext context);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Creates the window and its controls; runs FormCreate.
  void create(HWND owner);
  // Shows the window; runs FormShow.
  void show(int showCommand);
  HACCEL accelerators() const { return accelerators_.get(); }
  // The About and Configuration dialogs, made after this window.
  void setDialogs(TForm2* about, TForm3* configuration);

  // DocumentView
  void setNameBar(const std::string& caption) override;
  void setSaveEnabled(bool enabled) override;
  void setDateText(const std::string& text) override;

  // Event handlers, named after the control and event that run them. The palette's
  // buttons append their fragments (see the command table).
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

protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void createControls();
  void createDocument();
  void layout();
  void command(int id);
  void readLocale();
  LRESULT notify(const NMHDR& header);

  MainWindowContext context_;
  HWND CoolBar1 = nullptr, ToolBar1 = nullptr, Panel2 = nullptr, Panel3 = nullptr, Memo1 = nullptr,
       StatusBar1 = nullptr;
  SIZE laidOut_ = {-1, -1}; // the client size of the last layout

  win32::Font font_, boldFont_, memoFont_;
  win32::Brush black_;
  win32::ImageList pictures_, greyPictures_;
  std::optional<MainMenu> menu_;
  win32::AcceleratorTable accelerators_;
  Palette PageControl1;

  win32::Win32FileSystem files_;
  win32::Win32Locale locale_;
  win32::MessageBoxPrompt prompt_;
  win32::MessageBoxPrompt appPrompt_;
  win32::Win32FileDialog OpenDialog1;
  win32::Win32FileDialog SaveDialog1;
  win32::Win32ScriptRunner runner_;
  std::unique_ptr<win32::EditAdapter> editor_;
  std::unique_ptr<EditorDocument> document_;
  std::unique_ptr<FileCommands> fileCommands_;
  std::unique_ptr<Compile> compile_;
  FindDialog FindDialog1;

  TForm2* About_ = nullptr;
  TForm3* Configuration_ = nullptr;
};

} // namespace tavrin
