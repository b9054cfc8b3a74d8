#pragma once
// The Compile command: find go.bat, have the source saved, start the script on the
// source path without its extension, and report each tracked run's result once.
#include "build/config_dialog.h"
#include "build/script_folder.h"
#include "document/editor_document.h"
#include "document/file_commands.h"
#include "ports/prompt.h"
#include "ports/script_runner.h"

#include <functional>
#include <map>
#include <string>

namespace tavrin {

inline constexpr const char* kDefaultScriptFolder = "compile\\";
inline constexpr const char* kScriptName = "go.bat";
std::string confirmCompileSaveText();
inline constexpr const char* kCompiledText = "Source file is succesfully compiled to ";
inline constexpr const char* kCompileFailedText =
    "An error acquired while compiling the source file.";

class Compile {
public:
  // mainPrompt is owned by the main window, appPrompt by the application window;
  // showConfiguration shows the Configuration dialog and returns when it is closed.
  Compile(EditorDocument& document, FileCommands& files, ScriptFolder& setting, FileExists exists,
          Prompt& mainPrompt, ScriptRunner& runner, Prompt& appPrompt,
          std::function<void()> showConfiguration);

  // Finds go.bat (asking for its folder when it is missing), has a changed or unnamed
  // source saved, and starts the script on the source path without its extension.
  // A file error while saving propagates and nothing is started.
  void run();
  // A tracked run has ended: reports whether it wrote CompileBaseName + ".83p".
  // Ids that are unknown or already reported are ignored.
  void runFinished(RunId id);

  const std::string& compileBaseName() const { return compileBaseName_; }
  std::size_t runsUnderWay() const { return runs_.size(); }

private:
  struct Run {
    std::string output; // the .83p the script is to write
    UtcTime startedAt;
  };

  EditorDocument& document_;
  FileCommands& files_;
  ScriptFolder& setting_;
  FileExists exists_;
  Prompt& mainPrompt_;
  ScriptRunner& runner_;
  Prompt& appPrompt_;
  std::function<void()> showConfiguration_;
  std::string compileBaseName_;
  RunId nextId_ = 1;
  std::map<RunId, Run> runs_;
};

} // namespace tavrin
