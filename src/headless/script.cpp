#include "script.h"

#include "util/text.h"

namespace kalvitor::headless {
namespace {

// Arguments are separated by blanks; a line may end in CR LF.
bool IsSeparator(char c) { return IsBlank(c) || c == '\r'; }

// Reads one argument starting at pos (after blanks); advances pos.
std::string ReadToken(const std::string& s, size_t& pos) {
  while (pos < s.size() && IsSeparator(s[pos])) ++pos;
  if (pos < s.size() && s[pos] == '"') return ReadQuoted(s, pos, false).value_or("");
  std::string out;
  while (pos < s.size() && !IsSeparator(s[pos])) out += s[pos++];
  return out;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && IsSeparator(s.back())) s.pop_back();
  return s;
}

}  // namespace

std::optional<Line> SplitLine(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size() && IsSeparator(text[pos])) ++pos;
  if (pos == text.size() || text[pos] == '#') return std::nullopt;
  size_t end = pos;
  while (end < text.size() && !IsSeparator(text[end])) ++end;
  Line line{text.substr(pos, end - pos), ""};
  while (end < text.size() && IsSeparator(text[end])) ++end;
  line.rest = TrimRight(text.substr(end));
  return line;
}

std::vector<std::string> Arguments(const std::string& rest, size_t count) {
  std::vector<std::string> args;
  size_t pos = 0;
  while (args.size() + 1 < count) {
    while (pos < rest.size() && IsSeparator(rest[pos])) ++pos;
    if (pos >= rest.size()) return args;
    args.push_back(ReadToken(rest, pos));
  }
  if (count == 0) return args;
  while (pos < rest.size() && IsSeparator(rest[pos])) ++pos;
  if (pos >= rest.size()) return args;
  std::string last = rest.substr(pos);
  if (last.front() == '"') {
    size_t p = 0;
    std::string token = ReadToken(last, p);
    while (p < last.size() && IsSeparator(last[p])) ++p;
    if (p == last.size()) {
      args.push_back(token);
      return args;
    }
  }
  args.push_back(last);
  return args;
}

}  // namespace kalvitor::headless
