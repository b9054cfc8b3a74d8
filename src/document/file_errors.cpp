#include "document/file_errors.h"

namespace tavrin {

namespace {

std::string fileErrorText(const char* what, const std::string& fullPath,
                          const std::string& systemDescription) {
  std::string text = std::string(what) + " \"" + fullPath + "\".";
  std::string description = cleanSystemDescription(systemDescription);
  // Without a description the sentence ends at the path's full stop.
  if (!description.empty()) text += " " + description;
  return text;
}

} // namespace

std::string cleanSystemDescription(std::string description) {
  while (!description.empty()) {
    char c = description.back();
    if (c != ' ' && c != '\r' && c != '\n' && c != '.') break;
    description.pop_back();
  }
  return description;
}

std::string cannotOpenText(const std::string& fullPath, const std::string& systemDescription) {
  return fileErrorText("Cannot open file", fullPath, systemDescription);
}

std::string cannotCreateText(const std::string& fullPath, const std::string& systemDescription) {
  return fileErrorText("Cannot create file", fullPath, systemDescription);
}

std::string holdsNulText(const std::string& fullPath) {
  return "Cannot open file \"" + fullPath +
         "\". It contains a NUL byte and is not a plain text file";
}

std::string notInCodePageText(const std::string& fullPath, unsigned codePage) {
  return "Cannot open file \"" + fullPath +
         "\". It contains bytes that are not text in this system's code page (" +
         std::to_string(codePage) + ") and can't be edited without changing them";
}

} // namespace tavrin
