// Registry values of the test prefix that a test sets for the app to read, put back as
// they were when the test ends.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace e2e {

// One registry value of the test prefix, kept as it was and put back at the end (or
// removed when it did not exist), so a test may set it freely in between.
class RegistryValue {
public:
  RegistryValue(HKEY root, std::string key, std::string name);
  ~RegistryValue();
  RegistryValue(const RegistryValue&) = delete;
  RegistryValue& operator=(const RegistryValue&) = delete;
  void setString(const std::string& text, DWORD type = REG_SZ) const;
  void setDword(DWORD value) const;
  void remove() const;
  // The value's type and bytes now; nullopt when it does not exist.
  std::optional<std::pair<DWORD, std::string>> read() const;
  // A REG_SZ value's text without its terminating zero; nullopt for another type.
  std::optional<std::string> readString() const;

private:
  HKEY root_;
  std::string key_, name_;
  std::optional<std::pair<DWORD, std::string>> saved_;
  bool keyExisted_ = false;
};

} // namespace e2e
