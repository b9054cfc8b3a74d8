#include "document/editor_document.h"

#include "core/error.h"
#include "document/file_date.h"
#include "document/file_errors.h"
#include "document/text_format.h"

#include <new>
#include <utility>

namespace tavrin {

EditorDocument::EditorDocument(Editor& editor, DocumentView& view, FileSystem& fs)
    : editor_(editor), view_(view), fs_(fs) {
  editor_.onChange([this] { textChanged(); });
}

void EditorDocument::textChanged() {
  sourceChanged_ = 1;
  if (!caption_.empty() && caption_.back() != '*') {
    caption_ += " *";
    view_.setNameBar(caption_);
  }
  view_.setSaveEnabled(true);
}

void EditorDocument::markClean(const std::string& path) {
  sourceFileName_ = path;
  caption_ = path;
  view_.setNameBar(caption_);
  sourceChanged_ = 0;
  view_.setSaveEnabled(false);
}

void EditorDocument::showFileDate(const std::string& path) {
  view_.setDateText(formatFileDate(getFileDate(fs_, path), locale_));
}

void EditorDocument::openSourceFile(const std::string& path) {
  std::string text;
  try {
    std::string bytes = fs_.readAll(path);
    if (holdsNul(bytes)) throw Error(holdsNulText(fs_.fullPath(path)));
    text = toEditorText(std::move(bytes));
    if (!editor_.keepsBytes(text))
      throw Error(notInCodePageText(fs_.fullPath(path), editor_.codePage()));
  } catch (const std::bad_alloc&) {
    throw Error(kTextExceedsMemo); // a file larger than the memory the editor could have
  }
  editor_.setText(text);
  markClean(path);
  showFileDate(path);
}

void EditorDocument::save(const std::string& path) {
  fs_.writeAll(path, [this](const TextSink& put) { editor_.readText(put); });
}

void EditorDocument::resetToNew() {
  sourceChanged_ = 0;
  editor_.clear();
  caption_ = kNoName;
  view_.setNameBar(caption_);
  sourceFileName_.clear();
}

void EditorDocument::setLocale(const LocaleSettings& locale) {
  locale_ = locale;
}

} // namespace tavrin
