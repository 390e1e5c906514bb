// A small writer of JSON text: what the web port tells the page about the
// windows is built with it. Strings are the game's UTF-8 as they are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kalvitor::web {

class Json {
 public:
  Json& Begin() { return Raw("{"); }
  Json& End() { return Close("}"); }
  Json& BeginList(const char* key) { return Key(key).Raw("["); }
  Json& EndList() { return Close("]"); }
  Json& Str(const char* key, const std::string& v) { return Key(key).Quoted(v); }
  Json& Int(const char* key, int64_t v) { return Key(key).Raw(std::to_string(v)); }
  Json& Bool(const char* key, bool v) { return Key(key).Raw(v ? "true" : "false"); }
  Json& Strings(const char* key, const std::vector<std::string>& v);
  Json& Ints(const char* key, const std::vector<int64_t>& v);
  // A value written as JSON elsewhere.
  Json& Written(const char* key, const std::string& json) { return Key(key).Raw(json); }
  // An object as an element of the list open now.
  Json& Item() { return Sep().Raw("{"); }
  Json& Key(const char* key);
  const std::string& Text() const { return out_; }

 private:
  Json& Raw(const std::string& s);
  Json& Close(const char* s);
  Json& Sep();
  Json& Quoted(const std::string& v);
  std::string out_;
  bool first_ = true;
};

}  // namespace kalvitor::web
