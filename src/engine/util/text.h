// Small text helpers. The game keeps its texts in UTF-8; comparisons that the
// player expects to ignore letter case (file names, Cyrillic included) fold
// through the Windows Cyrillic code page, which covers every letter the game
// can show.
#pragma once

#include <string>
#include <vector>

namespace kalvitor {

std::string UpperAscii(std::string s);
// Upper or lower case of Latin and Cyrillic letters.
std::string UpperCase(const std::string& utf8);
std::string LowerCase(const std::string& utf8);
bool EqualsIgnoreCase(const std::string& a, const std::string& b);
bool EndsWith(const std::string& s, const std::string& tail);
std::string ReplaceAll(std::string s, const std::string& from, const std::string& to);
// Number of characters (code points) of a UTF-8 text, and its first n.
size_t Utf8Length(const std::string& s);
std::string Utf8Prefix(const std::string& s, size_t chars);
// The text in double quotes with \", \\, \r and \n escaped.
std::string Quoted(const std::string& s);
// Whole number in plain decimal.
std::string Str(long long v);

}  // namespace kalvitor
