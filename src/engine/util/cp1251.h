// The game's files (saved games, the games log, the jokes file) are 8-bit text
// in the Windows Cyrillic code page 1251; in memory every text is UTF-8.
#pragma once

#include <string>

namespace kalvitor {

// Characters that the code page cannot hold become '?'.
std::string Utf8ToCp1251(const std::string& utf8);
// The one unassigned byte (0x98) and nothing else becomes U+FFFD.
std::string Cp1251ToUtf8(const std::string& bytes);

}  // namespace kalvitor
