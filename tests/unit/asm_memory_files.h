// Sources held in memory, by path, for the assembler's tests.
#pragma once

#include "asm/assembler.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct MemoryFiles : tavasm::SourceFiles {
  std::map<std::string, std::string> files;
  tavasm::FileText read(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return {};
    return {tavasm::FileText::Status::Ok, it->second};
  }
};

// "3E 05" style, upper case, for readable comparisons.
inline std::string hexBytes(const std::vector<std::uint8_t>& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (auto b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

inline std::string allMessages(const tavasm::Program& p) {
  std::string out;
  for (const auto& m : p.messages)
    out += tavasm::format(m) + "\n";
  return out;
}
