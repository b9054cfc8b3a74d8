#include "build/config_dialog.h"

#include "build/settings_store.h"
#include "core/error.h"

#include <utility>

namespace tavrin {

namespace {
constexpr const char* kSupportAddress = "support@tavrin.example";
}

std::string saveFailureText() {
  return std::string("Something went wrong while saving.") + kLfCr + kLfCr +
         "Please mail this error to " + kSupportAddress + "." + kLfCr +
         "Please tell me how and when it happend.";
}

ConfigDialog::ConfigDialog(ConfigView& view, Registry& registry, FolderBrowser& browser,
                           FileExists exists, Prompt& prompt, ScriptFolder& setting)
    : view_(view), registry_(registry), browser_(browser), exists_(std::move(exists)),
      prompt_(prompt), setting_(setting) {}

void ConfigDialog::load() {
  if (auto folder = loadDialogFolder(registry_)) view_.setFolderText(*folder);
  scriptCheck();
}

void ConfigDialog::browse() {
  view_.setFolderText(browser_.selectFolder());
  addTrailingBackslash();
  scriptCheck();
}

void ConfigDialog::save() {
  addTrailingBackslash();
  const std::string folder = view_.folderText();
  if (!saveAsmBatDir(registry_, folder)) {
    prompt_.show(saveFailureText(), "Information", Icon::Information, Buttons::Ok);
    return;
  }
  prompt_.show(kSavedText, "Information", Icon::Information, Buttons::Ok);
  setting_.set(folder);
  view_.closeDialog();
}

void ConfigDialog::close() {
  view_.closeDialog();
}

void ConfigDialog::scriptCheck() {
  view_.setWarningVisible(!exists_(view_.folderText() + "go.bat"));
}

void ConfigDialog::addTrailingBackslash() {
  const std::string text = view_.folderText();
  if (!text.empty() && text.back() != '\\') view_.setFolderText(text + "\\");
}

} // namespace tavrin
