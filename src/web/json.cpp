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
  for (const char ch : v) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += ch;
    } else if (c < 0x20) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out_ += esc;
    } else {
      out_ += ch;
    }
  }
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
