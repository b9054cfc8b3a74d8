#include "win32/registry_win32.h"

#include "win32/handles.h"

#include <utility>

namespace tavrin::win32 {

namespace {

class Win32Key : public RegistryKey {
public:
  explicit Win32Key(KeyHandle key) : key_(std::move(key)) {}

  ValueRead readString(const std::string& name) override {
    // Ask for the type and size first; the value may grow between the two calls, so
    // ask again while the buffer turns out too small.
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {ValueRead::Kind::WrongType, {}};
    std::string data;
    LONG status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) {
      data.assign(size + 1, '\0');
      size = static_cast<DWORD>(data.size());
      status = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (status != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {ValueRead::Kind::WrongType, {}};
    data.resize(size);
    // The stored size counts the closing null (or several, for sloppy writers).
    while (!data.empty() && data.back() == '\0')
      data.pop_back();
    return {ValueRead::Kind::String, std::move(data)};
  }

  bool writeString(const std::string& name, const std::string& text) override {
    return RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  }

private:
  KeyHandle key_;
};

} // namespace

bool Win32Registry::keyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::unique_ptr<RegistryKey> Win32Registry::createKey(const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32Key>(KeyHandle(key));
}

} // namespace tavrin::win32
