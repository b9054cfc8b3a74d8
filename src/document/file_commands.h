#pragma once
// The File commands of the main window and the prompt that guards unsaved changes.
// File errors (Error from the file system or the editor) leave these commands
// unhandled: the window's default error handler shows them and the command stops.
#include "document/editor_document.h"
#include "ports/file_dialog.h"
#include "ports/prompt.h"

namespace tavrin {

enum class SaveOutcome { Saved, Cancelled };

class FileCommands {
public:
  FileCommands(EditorDocument& document, Prompt& mainWindowPrompt, FileDialog& openDialog,
               FileDialog& saveDialog);

  // New: on a changed document asks first; Yes saves and stops, No goes on to an
  // empty unnamed document, Cancel stops.
  void newSource();
  // Open: on a changed document asks first; Yes saves (and stops when that save is
  // cancelled), No goes on, Cancel stops. Then the Open dialog and the load.
  void open();
  // Save: in place when the document has a name, else as Save as.
  SaveOutcome save();
  // Save as: always through the Save dialog.
  SaveOutcome saveAs();
  // Closing the main window or ending the session: true when it may go on. A changed
  // document asks first; No closes without saving, Cancel or a cancelled save keeps
  // the window open. A file error while saving propagates, and the window stays open.
  bool confirmClose();

private:
  Answer confirmSave();

  EditorDocument& document_;
  Prompt& prompt_;
  FileDialog& openDialog_;
  FileDialog& saveDialog_;
};

} // namespace tavrin
