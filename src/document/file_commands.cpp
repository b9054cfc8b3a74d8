#include "document/file_commands.h"

#include "core/error.h"

#include <string>

namespace tavrin {

FileCommands::FileCommands(EditorDocument& document, Prompt& mainWindowPrompt,
                           FileDialog& openDialog, FileDialog& saveDialog)
    : document_(document), prompt_(mainWindowPrompt), openDialog_(openDialog),
      saveDialog_(saveDialog) {}

Answer FileCommands::confirmSave() {
  const std::string text =
      std::string("Source file is changed.") + kLfCr + kLfCr + "Do you want to save source file?";
  Answer answer = prompt_.show(text, "Save", Icon::Question, Buttons::YesNoCancel);
  // Anything but a clear Yes or No keeps the document as it is.
  return answer == Answer::Yes || answer == Answer::No ? answer : Answer::Cancel;
}

void FileCommands::newSource() {
  if (document_.sourceChanged() == 1) {
    Answer answer = confirmSave();
    if (answer == Answer::Cancel) return;
    if (answer == Answer::Yes) {
      save();
      return;
    }
  }
  document_.resetToNew();
}

void FileCommands::open() {
  if (document_.sourceChanged() == 1) {
    Answer answer = confirmSave();
    if (answer == Answer::Cancel) return;
    if (answer == Answer::Yes && save() == SaveOutcome::Cancelled) return;
  }
  auto path = openDialog_.choose();
  if (!path) return;
  document_.openSourceFile(*path);
}

SaveOutcome FileCommands::save() {
  if (document_.sourceFileName().empty()) return saveAs();
  // A copy: markClean overwrites the name it is given.
  const std::string path = document_.sourceFileName();
  document_.save(path);
  document_.markClean(path);
  return SaveOutcome::Saved;
}

SaveOutcome FileCommands::saveAs() {
  auto path = saveDialog_.choose();
  if (!path) return SaveOutcome::Cancelled;
  document_.save(*path);
  document_.markClean(*path);
  return SaveOutcome::Saved;
}

bool FileCommands::confirmClose() {
  if (document_.sourceChanged() != 1) return true;
  switch (confirmSave()) {
  case Answer::No:
    return true;
  case Answer::Yes:
    return save() == SaveOutcome::Saved;
  default:
    return false;
  }
}

} // namespace tavrin
