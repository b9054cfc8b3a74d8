#pragma once
// The Compile command: find go.bat, have the source saved, start the script on the
// source path without its extension, and report each tracked run's result once.
#include "build/config_dialog.h"
#include "ports/prompt.h"
#include "ports/script_runner.h"

#include <map>
#include <string>

namespace tavrin {

// What Compile needs of the main window.
class CompileHost {
public:
  virtual ~CompileHost() = default;
  virtual int sourceChanged() const = 0; // 0 or 1
  virtual std::string nameBar() const = 0;
  virtual std::string sourceFileName() const = 0;
  // The Save command; throws Error on a file error. A cancelled Save dialog returns
  // normally and leaves the source unnamed.
  virtual void runSave() = 0;
  virtual std::string asmBatDir() const = 0;
  virtual void setAsmBatDir(const std::string& folder) = 0;
  virtual void showConfiguration() = 0; // modal, returns when the dialog closes
};

inline constexpr const char* kDefaultScriptFolder = "compile\\";
inline constexpr const char* kScriptName = "go.bat";
std::string confirmCompileSaveText();
inline constexpr const char* kCompiledText = "Source file is succesfully compiled to ";
inline constexpr const char* kCompileFailedText =
    "An error acquired while compiling the source file.";

class Compile {
public:
  // mainPrompt is owned by the main window, appPrompt by the application window.
  Compile(CompileHost& host, FileExists exists, Prompt& mainPrompt, ScriptRunner& runner,
          Prompt& appPrompt);

  void SpeedButton3Click();
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

  CompileHost& host_;
  FileExists exists_;
  Prompt& mainPrompt_;
  ScriptRunner& runner_;
  Prompt& appPrompt_;
  std::string compileBaseName_;
  RunId nextId_ = 1;
  std::map<RunId, Run> runs_;
};

} // namespace tavrin
