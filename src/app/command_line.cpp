#include "app/command_line.h"

namespace tavrin {

namespace {

bool isSeparator(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  const std::size_t n = commandLine.size();
  for (;;) {
    for (;;) {
      while (i < n && isSeparator(commandLine[i]))
        ++i;
      if (i + 1 < n && commandLine[i] == '"' && commandLine[i + 1] == '"')
        i += 2;
      else
        break;
    }
    std::string argument;
    while (i < n && !isSeparator(commandLine[i])) {
      if (commandLine[i] == '"') {
        for (++i; i < n && commandLine[i] != '"'; ++i)
          argument += commandLine[i];
        if (i < n) ++i;
      } else {
        argument += commandLine[i++];
      }
    }
    if (argument.empty()) break;
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::optional<std::string> firstArgument(std::string_view commandLine) {
  auto arguments = splitCommandLine(commandLine);
  if (arguments.size() < 2) return std::nullopt;
  return arguments[1];
}

} // namespace tavrin
