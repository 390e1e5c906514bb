// File system paths from and to the game's UTF-8 texts.
#pragma once

#include <filesystem>
#include <string>

namespace kalvitor {

inline std::filesystem::path PathFromUtf8(const std::string& s) {
  return std::filesystem::path(std::u8string(s.begin(), s.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& p) {
  std::u8string u = p.u8string();
  return std::string(u.begin(), u.end());
}

}  // namespace kalvitor
