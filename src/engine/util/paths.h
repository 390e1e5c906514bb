// File system paths from and to the game's UTF-8 texts.
#pragma once

#include <filesystem>
#include <string>

namespace kalvitor {

inline std::filesystem::path PathFromUtf8(const std::string& s) {
  return std::filesystem::path(std::u8string(s.begin(), s.end()));
}

// The folder with the system's separator after it, once: "Save" -> "Save/".
inline std::string AddBackslash(const std::string& folder) {
  const char sep = static_cast<char>(std::filesystem::path::preferred_separator);
  if (!folder.empty() && folder.back() == sep) return folder;
  return folder + sep;
}

inline std::string Utf8FromPath(const std::filesystem::path& p) {
  std::u8string u = p.u8string();
  return std::string(u.begin(), u.end());
}

}  // namespace kalvitor
