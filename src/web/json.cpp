#include "json.h"

#include <cstdio>

namespace kalvitor::web {

Json& Json::Raw(const std::string& s) {
  out_ += s;
  const char last = s.empty() ? ' ' : s.back();
  first_ = last == '{' || last == '[';
  return *this;
}

Json& Json::Close(const char* s) {
  out_ += s;
  first_ = false;
  return *this;
}

Json& Json::Sep() {
  if (!first_) out_ += ',';
  first_ = false;
  return *this;
}

Json& Json::Key(const char* key) {
  Sep();
  out_ += '"';
  out_ += key;
  out_ += "\":";
  first_ = false;
  return *this;
}

Json& Json::Quoted(const std::string& v) {
  out_ += '"';
  // Runs of characters that need no escape are copied whole (the menus'
  // news is written after every event).
  size_t plain = 0;
  for (size_t i = 0; i < v.size(); ++i) {
    const auto c = static_cast<unsigned char>(v[i]);
    if (c != '"' && c != '\\' && c >= 0x20) continue;
    out_.append(v, plain, i - plain);
    plain = i + 1;
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += v[i];
    } else {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out_ += esc;
    }
  }
  out_.append(v, plain, std::string::npos);
  out_ += '"';
  first_ = false;
  return *this;
}

Json& Json::Strings(const char* key, const std::vector<std::string>& v) {
  Key(key).Raw("[");
  for (const std::string& s : v) Sep().Quoted(s);
  return Close("]");
}

Json& Json::Ints(const char* key, const std::vector<int64_t>& v) {
  Key(key).Raw("[");
  for (const int64_t n : v) Sep().Raw(std::to_string(n));
  return Close("]");
}

}  // namespace kalvitor::web
