// A compiled GNU message catalogue (.mo, as msgfmt writes it) read from bytes
// that outlive it: the header, the table of original texts and the table of
// translations, in either byte order. A plural entry's original is
// "one\0many" and its translation holds every form, NUL-separated; a text
// with a context is looked up as "context\x04text". Every offset is checked
// when the catalogue is read, so a truncated or lying file is refused whole
// and nothing past the end of the bytes is ever read.
#pragma once

#include <optional>
#include <string_view>
#include <unordered_map>

#include "util/plural_forms.h"

namespace kalvitor {

class MoCatalogue {
 public:
  // nullopt when the bytes are not a whole, consistent catalogue. The
  // catalogue points into the bytes (the game's are in the program for
  // good): they must outlive it.
  static std::optional<MoCatalogue> Read(std::string_view bytes);

  // The translation of an original (a context's: "context\x04text"), NUL-terminated
  // in the bytes; nullptr when the catalogue has none.
  const char* Find(std::string_view original) const;
  // The translation of a plural entry (found by its first original form) for n;
  // nullptr when the catalogue has none or lacks that form.
  const char* FindPlural(std::string_view one, unsigned long n) const;

  const PluralForms& Plurals() const { return plurals_; }
  // The header entry's text (the translation of the empty original).
  std::string_view Header() const { return header_; }
  size_t Size() const { return entries_.size(); }
  // Calls f(original, translation) for every entry but the header, in no order.
  template <class F>
  void ForEach(F&& f) const {
    for (const auto& [original, translation] : entries_)
      if (!original.empty()) f(original, translation);
  }

 private:
  // First original form (with its context) -> every translated form, NUL-separated.
  std::unordered_map<std::string_view, std::string_view> entries_;
  std::string_view header_;
  PluralForms plurals_;
};

}  // namespace kalvitor
