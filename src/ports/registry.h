#pragma once
// Keys and string values under HKEY_LOCAL_MACHINE. Key paths are compared without
// regard to case.
#include <memory>
#include <string>

namespace tavrin {

struct ValueRead {
  enum class Kind { Missing, String, WrongType };
  Kind kind = Kind::Missing;
  std::string text; // REG_SZ, or REG_EXPAND_SZ as stored (not expanded)
};

class RegistryKey {
public:
  virtual ~RegistryKey() = default; // closes the key
  // Missing when the value is absent or can't be read; WrongType for a value that is
  // neither REG_SZ nor REG_EXPAND_SZ.
  virtual ValueRead readString(const std::string& name) = 0;
  // Stores text as REG_SZ; false when the platform refuses.
  virtual bool writeString(const std::string& name, const std::string& text) = 0;
};

class Registry {
public:
  virtual ~Registry() = default;
  // Whether the key opens for reading only.
  virtual bool keyExists(const std::string& path) = 0;
  // Opens the key with full access, creating it when missing; null on failure.
  virtual std::unique_ptr<RegistryKey> createKey(const std::string& path) = 0;
};

} // namespace tavrin
