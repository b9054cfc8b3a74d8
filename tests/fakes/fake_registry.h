#pragma once
// A registry in memory: keys by path without regard to case, each holding values;
// records every call in order and can be told to fail.
#include "ports/registry.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace tavrin::fakes {

class FakeRegistry : public Registry {
public:
  std::map<std::string, std::map<std::string, ValueRead>> keys; // by lower-case path
  bool refuseRead = false;        // keyExists fails even for a present key
  bool refuseCreate = false;      // createKey fails
  bool refuseWrite = false;       // writeString fails
  std::vector<std::string> calls; // "exists <path>", "create <path>", "read <name>", "write <name>"

  static std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
  }
  void setValue(const std::string& path, const std::string& name, ValueRead value) {
    keys[lower(path)][name] = std::move(value);
  }
  const ValueRead* value(const std::string& path, const std::string& name) const {
    auto k = keys.find(lower(path));
    if (k == keys.end()) return nullptr;
    auto v = k->second.find(name);
    return v == k->second.end() ? nullptr : &v->second;
  }

  bool keyExists(const std::string& path) override {
    calls.push_back("exists " + path);
    return !refuseRead && keys.count(lower(path)) != 0;
  }
  std::unique_ptr<RegistryKey> createKey(const std::string& path) override {
    calls.push_back("create " + path);
    if (refuseCreate) return nullptr;
    return std::make_unique<Key>(*this, keys[lower(path)]);
  }

private:
  class Key : public RegistryKey {
  public:
    Key(FakeRegistry& owner, std::map<std::string, ValueRead>& values)
        : owner_(owner), values_(values) {}
    ValueRead readString(const std::string& name) override {
      owner_.calls.push_back("read " + name);
      auto it = values_.find(name);
      return it == values_.end() ? ValueRead{} : it->second;
    }
    bool writeString(const std::string& name, const std::string& text) override {
      owner_.calls.push_back("write " + name);
      if (owner_.refuseWrite) return false;
      values_[name] = ValueRead{ValueRead::Kind::String, text};
      return true;
    }

  private:
    FakeRegistry& owner_;
    std::map<std::string, ValueRead>& values_;
  };
};

} // namespace tavrin::fakes
