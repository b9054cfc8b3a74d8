#include "build/compile.h"

#include "build/copy_chars.h"
#include "core/error.h"

#include <utility>

namespace tavrin {

namespace {

// File systems that keep times in two-second steps may stamp a file written just
// after the launch with a time up to two seconds before it.
constexpr UtcTime kTimeGranularity = 2 * kUtcTicksPerSecond;

std::string trimEnd(std::string s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' '))
    s.pop_back();
  return s;
}

} // namespace

std::string confirmCompileSaveText() {
  return std::string("You will need to save source file before compiling.") + kLfCr + kLfCr +
         "Do you want to save source file now?";
}

Compile::Compile(EditorDocument& document, FileCommands& files, ScriptFolder& setting,
                 FileExists exists, Prompt& mainPrompt, ScriptRunner& runner, Prompt& appPrompt,
                 std::function<void()> showConfiguration)
    : document_(document), files_(files), setting_(setting), exists_(std::move(exists)),
      mainPrompt_(mainPrompt), runner_(runner), appPrompt_(appPrompt),
      showConfiguration_(std::move(showConfiguration)) {}

void Compile::run() {
  if (setting_.get().empty()) setting_.set(kDefaultScriptFolder);

  if (!exists_(setting_.get() + kScriptName)) {
    if (showConfiguration_) showConfiguration_();
    // The dialog and its warning were the report when the script is still missing.
    if (!exists_(setting_.get() + kScriptName)) return;
  }

  if (document_.sourceChanged() == 1 || document_.sourceFileName().empty()) {
    if (mainPrompt_.show(confirmCompileSaveText(), "Confirm", Icon::Question, Buttons::OkCancel) !=
        Answer::Ok)
      return;
    // Never build an unnamed source: its Save dialog was cancelled.
    if (files_.save() == SaveOutcome::Cancelled) return;
  }
  const std::string source = document_.sourceFileName();

  compileBaseName_ = tavrin::compileBaseName(source);
  const std::string script = setting_.get() + kScriptName;
  const RunId id = nextId_++;
  const UtcTime startedAt = runner_.now();
  const Launch launch = runner_.start(script, compileBaseName_, id);
  if (!launch.started) {
    mainPrompt_.show(withFullStop("Cannot start the build script " + script + ". " +
                                  trimEnd(launch.errorDescription)),
                     "Error", Icon::Error, Buttons::Ok);
    return;
  }
  if (launch.tracked) runs_[id] = Run{compileBaseName_ + ".83p", startedAt};
}

void Compile::runFinished(RunId id) {
  auto it = runs_.find(id);
  if (it == runs_.end()) return;
  const Run run = std::move(it->second);
  runs_.erase(it);
  const auto written = runner_.lastWrite(run.output);
  if (written && *written + kTimeGranularity >= run.startedAt)
    appPrompt_.show(kCompiledText + run.output, "Information", Icon::Information, Buttons::Ok);
  else
    appPrompt_.show(kCompileFailedText, "Error", Icon::Error, Buttons::Ok);
}

} // namespace tavrin
