#include "util/text.h"

#include "util/cp1251.h"

namespace kalvitor {
namespace {

// Upper/lower pairs of the code page outside the two alphabets' main blocks.
constexpr unsigned char kPairs[][2] = {
    {0xA8, 0xB8}, {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
    {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

unsigned char Fold(unsigned char c, bool upper) {
  if (upper) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0) return static_cast<unsigned char>(c - 32);
    for (const auto& p : kPairs)
      if (c == p[1]) return p[0];
  } else {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDF) return static_cast<unsigned char>(c + 32);
    for (const auto& p : kPairs)
      if (c == p[0]) return p[1];
  }
  return c;
}

// Folds through the code page only when the text survives the round trip, so
// that characters outside it are never turned into '?'.
std::string FoldCase(const std::string& utf8, bool upper) {
  std::string bytes = Utf8ToCp1251(utf8);
  if (Cp1251ToUtf8(bytes) != utf8) {
    std::string out = utf8;
    for (char& ch : out)
      if (static_cast<unsigned char>(ch) < 0x80) ch = static_cast<char>(Fold(static_cast<unsigned char>(ch), upper));
    return out;
  }
  for (char& ch : bytes) ch = static_cast<char>(Fold(static_cast<unsigned char>(ch), upper));
  return Cp1251ToUtf8(bytes);
}

}  // namespace

std::string UpperAscii(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

std::string UpperCase(const std::string& utf8) { return FoldCase(utf8, true); }
std::string LowerCase(const std::string& utf8) { return FoldCase(utf8, false); }

bool EqualsIgnoreCase(const std::string& a, const std::string& b) { return LowerCase(a) == LowerCase(b); }

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
  if (from.empty()) return s;
  size_t pos = 0;
  while ((pos = s.find(from, pos)) != std::string::npos) {
    s.replace(pos, from.size(), to);
    pos += to.size();
  }
  return s;
}

size_t Utf8Length(const std::string& s) {
  size_t n = 0;
  for (char c : s)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

std::string Utf8Prefix(const std::string& s, size_t chars) {
  size_t count = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (count == chars) return s.substr(0, i);
      ++count;
    }
  }
  return s;
}

std::string Quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

std::string Str(long long v) { return std::to_string(v); }

std::optional<std::string> ReadQuoted(std::string_view s, size_t& pos, bool strict) {
  if (pos >= s.size() || s[pos] != '"') return std::nullopt;
  std::string out;
  for (size_t i = pos + 1; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      pos = i + 1;
      return out;
    }
    if (c != '\\' || i + 1 == s.size()) {
      out += c;
      continue;
    }
    const char e = s[++i];
    if (e == 'n') {
      out += '\n';
    } else if (e == 'r') {
      out += '\r';
    } else if (e == '"' || e == '\\' || !strict) {
      out += e;
    } else {
      return std::nullopt;
    }
  }
  if (strict) return std::nullopt;
  pos = s.size();
  return out;
}

std::string Capitalized(const std::string& utf8) {
  const std::string first = Utf8Prefix(utf8, 1);
  return UpperCase(first) + utf8.substr(first.size());
}

}  // namespace kalvitor
