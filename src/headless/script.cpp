#include "script.h"

namespace kalvitor::headless {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Reads one argument starting at pos (after blanks); advances pos.
std::string ReadToken(const std::string& s, size_t& pos) {
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  std::string out;
  if (pos < s.size() && s[pos] == '"') {
    ++pos;
    while (pos < s.size() && s[pos] != '"') {
      if (s[pos] == '\\' && pos + 1 < s.size()) {
        char n = s[pos + 1];
        out += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
        pos += 2;
      } else {
        out += s[pos++];
      }
    }
    if (pos < s.size()) ++pos;  // closing quote
    return out;
  }
  while (pos < s.size() && !IsBlank(s[pos])) out += s[pos++];
  return out;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && IsBlank(s.back())) s.pop_back();
  return s;
}

}  // namespace

std::optional<Line> SplitLine(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos == text.size() || text[pos] == '#') return std::nullopt;
  size_t end = pos;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  Line line{text.substr(pos, end - pos), ""};
  while (end < text.size() && IsBlank(text[end])) ++end;
  line.rest = TrimRight(text.substr(end));
  return line;
}

std::vector<std::string> Arguments(const std::string& rest, size_t count) {
  std::vector<std::string> args;
  size_t pos = 0;
  while (args.size() + 1 < count) {
    while (pos < rest.size() && IsBlank(rest[pos])) ++pos;
    if (pos >= rest.size()) return args;
    args.push_back(ReadToken(rest, pos));
  }
  if (count == 0) return args;
  while (pos < rest.size() && IsBlank(rest[pos])) ++pos;
  if (pos >= rest.size()) return args;
  std::string last = rest.substr(pos);
  if (last.front() == '"') {
    size_t p = 0;
    std::string token = ReadToken(last, p);
    while (p < last.size() && IsBlank(last[p])) ++p;
    if (p == last.size()) {
      args.push_back(token);
      return args;
    }
  }
  args.push_back(last);
  return args;
}

}  // namespace kalvitor::headless
