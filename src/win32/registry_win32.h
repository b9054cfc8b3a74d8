#pragma once
// The Registry port on the Windows registry, under one root key (HKEY_LOCAL_MACHINE
// for the program).
#include "ports/registry.h"

#include <windows.h>

namespace tavrin::win32 {

class Win32Registry : public Registry {
public:
  explicit Win32Registry(HKEY root = HKEY_LOCAL_MACHINE) : root_(root) {}
  bool keyExists(const std::string& path) override;
  std::unique_ptr<RegistryKey> createKey(const std::string& path) override;

private:
  HKEY root_;
};

} // namespace tavrin::win32
