// Small text helpers. The game keeps its texts in UTF-8; comparisons that the
// player expects to ignore letter case (file names, Cyrillic included) fold
// through the Windows Cyrillic code page, which covers every letter the game
// can show.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvitor {

// A space or a tab.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string UpperAscii(std::string s);
// Upper or lower case of Latin and Cyrillic letters.
std::string UpperCase(const std::string& utf8);
std::string LowerCase(const std::string& utf8);
// The first letter in capitals, the rest as it is.
std::string Capitalized(const std::string& utf8);
bool EqualsIgnoreCase(const std::string& a, const std::string& b);
bool EndsWith(const std::string& s, const std::string& tail);
std::string ReplaceAll(std::string s, const std::string& from, const std::string& to);
// Number of characters (code points) of a UTF-8 text, and its first n.
size_t Utf8Length(const std::string& s);
std::string Utf8Prefix(const std::string& s, size_t chars);
// The text in double quotes with \", \\, \r and \n escaped.
std::string Quoted(const std::string& s);
// Reads back a quoted text that starts at `pos` (its opening quote) and
// moves `pos` past the closing one. Strict (the game's files): only the
// four escapes of Quoted, and the closing quote must be there, else nullopt.
// Lenient (the driver's scripts): another escaped character stands for
// itself, and a text left open ends with the line.
std::optional<std::string> ReadQuoted(std::string_view s, size_t& pos, bool strict);
// Whole number in plain decimal.
std::string Str(long long v);

}  // namespace kalvitor
