#pragma once
// The Configuration dialog's behaviour: the folder field, the go.bat warning, browse,
// save and close. The window supplies its controls through ConfigView.
#include "ports/folder_browser.h"
#include "ports/prompt.h"
#include "ports/registry.h"
#include "build/script_folder.h"

#include <functional>
#include <string>

namespace tavrin {

// Whether a file (not a folder) of that name exists.
using FileExists = std::function<bool(const std::string& path)>;

class ConfigView {
public:
  virtual ~ConfigView() = default;
  virtual std::string folderText() const = 0; // Edit1
  virtual void setFolderText(const std::string& text) = 0;
  virtual void setWarningVisible(bool visible) = 0; // Label1
  virtual void closeDialog() = 0;                   // hides it, ending the modal loop
};

inline constexpr const char* kSavedText = "Directory is succesfully saved!";
std::string saveFailureText(); // the message when the key can't be opened on Save

class ConfigDialog {
public:
  // prompt is owned by the dialog; a saved folder becomes the setting's.
  ConfigDialog(ConfigView& view, Registry& registry, FolderBrowser& browser, FileExists exists,
               Prompt& prompt, ScriptFolder& setting);

  // Once at start-up: the stored folder into the field, then the script check. A value
  // of the wrong type throws (the field keeps its text and the check is skipped).
  void load();
  // The folder browser's choice (empty when cancelled) into the field, then the check.
  void browse();
  // Stores the field's folder, reports it and closes; the setting takes it too.
  void save();
  void close();
  // Shows the warning unless field text + "go.bat" exists.
  void scriptCheck();

private:
  void addTrailingBackslash();

  ConfigView& view_;
  Registry& registry_;
  FolderBrowser& browser_;
  FileExists exists_;
  Prompt& prompt_;
  ScriptFolder& setting_;
};

} // namespace tavrin
