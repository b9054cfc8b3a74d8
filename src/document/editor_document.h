#pragma once
// The one source document: the editor's text, the file it belongs to and whether it
// has changed since it was last loaded, saved or cleared. It keeps the name bar's
// caption and tells the main window's view of it: the name bar, the Save command and
// the status bar's date panel.
#include "ports/document_view.h"
#include "ports/editor.h"
#include "ports/file_system.h"
#include "ports/locale_settings.h"

#include <string>

namespace tavrin {

// The name bar of a document that belongs to no file.
inline constexpr const char* kNoName = "NoName";

class EditorDocument {
public:
  // Registers textChanged as the editor's change notification. The view keeps the
  // state the window was created with ("NoName", Save disabled, no date).
  EditorDocument(Editor& editor, DocumentView& view, FileSystem& fs);
  EditorDocument(const EditorDocument&) = delete;
  EditorDocument& operator=(const EditorDocument&) = delete;

  // The text changed: the document is changed, the name bar gains " *" once (unless
  // it is empty), and Save is enabled.
  void textChanged();
  // After a successful open or save: the document belongs to path and is unchanged.
  void markClean(const std::string& path);
  // The status bar's date panel shows the file's last-write time.
  void showFileDate(const std::string& path);
  // Reads and converts the file first and only then puts it into the editor (one
  // change of the text), marks it clean and shows its date. A file that can't be read,
  // holds a NUL byte or bytes the editor would change, or a text the editor refuses,
  // throws Error and changes nothing.
  void openSourceFile(const std::string& path);
  // Writes the editor's text to path byte for byte; the document state is left alone.
  void save(const std::string& path);
  // An empty, unnamed, unchanged document. The Save command and the date stay as
  // they are.
  void resetToNew();
  // The date and time formats for the date panel.
  void setLocale(const LocaleSettings& locale);

  const std::string& sourceFileName() const { return sourceFileName_; }
  // 0 or 1.
  int sourceChanged() const { return sourceChanged_; }

private:
  Editor& editor_;
  DocumentView& view_;
  FileSystem& fs_;
  LocaleSettings locale_;
  std::string sourceFileName_;
  std::string caption_ = kNoName; // the name bar's
  unsigned char sourceChanged_ = 0;
};

} // namespace tavrin
