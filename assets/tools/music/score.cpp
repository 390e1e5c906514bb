#include "score.h"

#include <stdexcept>
#include <string>

namespace score {

namespace {

std::vector<std::string_view> tokens(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\n' || text[i] == '\t' || text[i] == '|')) ++i;
    const std::size_t start = i;
    while (i < text.size() && !(text[i] == ' ' || text[i] == '\n' || text[i] == '\t' || text[i] == '|')) ++i;
    if (i > start) out.push_back(text.substr(start, i - start));
  }
  return out;
}

[[noreturn]] void bad(std::string_view token) { throw std::invalid_argument("bad score token: " + std::string(token)); }

int letterClass(char c) {
  switch (c) {
    case 'c':
    case 'C':
      return 0;
    case 'd':
    case 'D':
      return 2;
    case 'e':
    case 'E':
      return 4;
    case 'f':
    case 'F':
      return 5;
    case 'g':
    case 'G':
      return 7;
    case 'a':
    case 'A':
      return 9;
    case 'b':
    case 'B':
      return 11;
    default:
      return -1;
  }
}

int number(std::string_view digits, std::string_view token) {
  if (digits.empty()) bad(token);
  int v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') bad(token);
    v = v * 10 + (c - '0');
  }
  return v;
}

// Splits "body/n" or "body:n"; returns the length or -1 when none is given.
int splitLength(std::string_view token, char sep, std::string_view& body) {
  const std::size_t at = token.find(sep);
  if (at == std::string_view::npos) {
    body = token;
    return -1;
  }
  body = token.substr(0, at);
  const int n = number(token.substr(at + 1), token);
  if (n <= 0) bad(token);
  return n;
}

int pitch(std::string_view p, std::string_view token) {
  if (p.size() < 2) bad(token);
  int pc = letterClass(p[0]);
  if (pc < 0) bad(token);
  std::size_t i = 1;
  if (p[i] == '#') {
    ++pc;
    ++i;
  } else if (p[i] == 'b' && i + 1 < p.size()) {
    --pc;
    ++i;
  }
  const int octave = number(p.substr(i), token);
  return 12 * (octave + 1) + pc;
}

}  // namespace

bool Chord::has(int pitchClass) const {
  for (int iv : intervals) {
    if ((root + iv) % 12 == ((pitchClass % 12) + 12) % 12) return true;
  }
  return false;
}

std::vector<int> Chord::tonesIn(int low, int high) const {
  std::vector<int> out;
  for (int k = low; k <= high; ++k) {
    if (has(k)) out.push_back(k);
  }
  return out;
}

int Chord::rootFrom(int low) const {
  int k = low;
  while (((k % 12) + 12) % 12 != root) ++k;
  return k;
}

std::vector<Note> parseNotes(std::string_view text) {
  std::vector<Note> out;
  int at = 0;
  int len = 0;
  for (std::string_view token : tokens(text)) {
    std::string_view body;
    const int given = splitLength(token, '/', body);
    if (given > 0) len = given;
    if (len <= 0) bad(token);
    Note n;
    n.start = at;
    n.length = len;
    if (body != "r") {
      std::size_t from = 0;
      while (from <= body.size()) {
        const std::size_t plus = body.find('+', from);
        const std::size_t to = plus == std::string_view::npos ? body.size() : plus;
        n.keys.push_back(pitch(body.substr(from, to - from), token));
        from = to + 1;
      }
    }
    out.push_back(n);
    at += len;
  }
  return out;
}

std::vector<Chord> parseChords(std::string_view text) {
  struct Quality {
    std::string_view name;
    std::vector<int> intervals;
  };
  static const std::vector<Quality> qualities = {
      {"", {0, 4, 7}},         {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},     {"m7", {0, 3, 7, 10}},
      {"maj7", {0, 4, 7, 11}}, {"6", {0, 4, 7, 9}},     {"m6", {0, 3, 7, 9}},     {"dim", {0, 3, 6, 9}},
      {"m7b5", {0, 3, 6, 10}}, {"sus4", {0, 5, 7, 10}}, {"9", {0, 4, 7, 10, 14}},
  };
  std::vector<Chord> out;
  int at = 0;
  int len = 0;
  for (std::string_view token : tokens(text)) {
    std::string_view body;
    const int given = splitLength(token, ':', body);
    if (given > 0) len = given;
    if (len <= 0 || body.empty()) bad(token);
    int root = letterClass(body[0]);
    if (root < 0 || body[0] < 'A' || body[0] > 'G') bad(token);
    std::size_t i = 1;
    if (i < body.size() && (body[i] == '#' || body[i] == 'b')) {
      root += body[i] == '#' ? 1 : -1;
      ++i;
    }
    const std::string_view q = body.substr(i);
    const Quality* found = nullptr;
    for (const Quality& cand : qualities) {
      if (cand.name == q) found = &cand;
    }
    if (!found) bad(token);
    Chord c;
    c.start = at;
    c.length = len;
    c.root = (root + 12) % 12;
    c.intervals = found->intervals;
    out.push_back(c);
    at += len;
  }
  return out;
}

int lengthOf(const std::vector<Note>& notes) { return notes.empty() ? 0 : notes.back().start + notes.back().length; }

int lengthOf(const std::vector<Chord>& chords) {
  return chords.empty() ? 0 : chords.back().start + chords.back().length;
}

}  // namespace score
