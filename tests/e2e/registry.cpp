#include "e2e/registry.h"

#include <stdexcept>

namespace e2e {

RegistryValue::RegistryValue(HKEY root, std::string key, std::string name)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS) {
    keyExisted_ = true;
    RegCloseKey(k);
  }
  saved_ = read();
}

RegistryValue::~RegistryValue() {
  if (saved_) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) ==
        ERROR_SUCCESS) {
      RegSetValueExA(k, name_.c_str(), 0, saved_->first,
                     reinterpret_cast<const BYTE*>(saved_->second.data()),
                     static_cast<DWORD>(saved_->second.size()));
      RegCloseKey(k);
    }
  } else {
    remove();
    if (!keyExisted_) RegDeleteKeyA(root_, key_.c_str()); // only when it is left empty
  }
}

void RegistryValue::setString(const std::string& text, DWORD type) const {
  HKEY k = nullptr;
  if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot create registry key " + key_);
  LONG r = RegSetValueExA(k, name_.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
  RegCloseKey(k);
  if (r != ERROR_SUCCESS) throw std::runtime_error("cannot set registry value " + name_);
}

void RegistryValue::setDword(DWORD value) const {
  HKEY k = nullptr;
  if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot create registry key " + key_);
  LONG r = RegSetValueExA(k, name_.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value);
  RegCloseKey(k);
  if (r != ERROR_SUCCESS) throw std::runtime_error("cannot set registry value " + name_);
}

void RegistryValue::remove() const {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return;
  RegDeleteValueA(k, name_.c_str());
  RegCloseKey(k);
}

std::optional<std::pair<DWORD, std::string>> RegistryValue::read() const {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0, size = 0;
  std::optional<std::pair<DWORD, std::string>> out;
  if (RegQueryValueExA(k, name_.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::string bytes(size, '\0');
    if (RegQueryValueExA(k, name_.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                         &size) == ERROR_SUCCESS) {
      bytes.resize(size);
      out.emplace(type, std::move(bytes));
    }
  }
  RegCloseKey(k);
  return out;
}

std::optional<std::string> RegistryValue::readString() const {
  auto value = read();
  if (!value || value->first != REG_SZ) return std::nullopt;
  std::string text = value->second;
  while (!text.empty() && text.back() == '\0')
    text.pop_back();
  return text;
}

} // namespace e2e
