#include "build/settings_store.h"

#include "core/error.h"

namespace tavrin {

namespace {

std::optional<std::string> readValue(RegistryKey& key) {
  ValueRead read = key.readString(kAsmBatDirValue);
  switch (read.kind) {
  case ValueRead::Kind::Missing:
    return std::nullopt;
  case ValueRead::Kind::WrongType:
    throw Error(std::string("Invalid data type for '") + kAsmBatDirValue + "'");
  case ValueRead::Kind::String:
    break;
  }
  return std::move(read.text);
}

std::optional<std::string> openAndRead(Registry& registry, const char* path) {
  auto key = registry.createKey(path);
  if (!key) return std::nullopt;
  return readValue(*key);
}

} // namespace

std::optional<std::string> loadAsmBatDir(Registry& registry) {
  if (!registry.keyExists(kMainWindowKey) && !registry.createKey(kMainWindowKey))
    throw Error(std::string("Failed to create key ") + kMainWindowKey);
  return openAndRead(registry, kMainWindowKey);
}

std::optional<std::string> loadDialogFolder(Registry& registry) {
  return openAndRead(registry, kDialogKey);
}

bool saveAsmBatDir(Registry& registry, const std::string& folder) {
  auto key = registry.createKey(kDialogKey);
  if (!key) return false;
  if (!key->writeString(kAsmBatDirValue, folder))
    throw Error(std::string("Failed to set data for '") + kAsmBatDirValue + "'");
  return true;
}

} // namespace tavrin
