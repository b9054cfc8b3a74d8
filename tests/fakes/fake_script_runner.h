#pragma once
// Launches recorded instead of made, a clock set by the test, and file times held in
// a map.
#include "ports/script_runner.h"

#include <map>
#include <string>
#include <vector>

namespace tavrin::fakes {

class FakeScriptRunner : public ScriptRunner {
public:
  struct Started {
    std::string script, parameters;
    RunId id;
    UtcTime at; // the clock when it was started
  };
  Launch result{true, "", true}; // what every launch answers
  UtcTime clock = 0;
  std::map<std::string, UtcTime> files; // last-write times of existing files
  std::vector<Started> launches;

  Launch start(const std::string& script, const std::string& parameters, RunId id) override {
    launches.push_back({script, parameters, id, clock});
    return result;
  }
  UtcTime now() override { return clock; }
  std::optional<UtcTime> lastWrite(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
};

} // namespace tavrin::fakes
