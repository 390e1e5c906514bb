#include "util/tr.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "util/embedded_catalogues.h"
#include "util/mo_catalogue.h"

namespace kalvitor {
namespace {

struct Loaded {
  std::string code;
  MoCatalogue catalogue;
};

// The game's catalogues, read once; one that does not read is left out.
const std::vector<Loaded>& Catalogues() {
  static const std::vector<Loaded> all = [] {
    std::vector<Loaded> read;
    for (const EmbeddedCatalogue& e : GameCatalogues()) {
      auto catalogue = MoCatalogue::Read({reinterpret_cast<const char*>(e.bytes), e.size});
      if (catalogue) read.push_back({e.code, std::move(*catalogue)});
    }
    return read;
  }();
  return all;
}

struct Current {
  std::string code = "ru";
  const MoCatalogue* catalogue = nullptr;
};
Current& Now() {
  static Current current;
  return current;
}

// "en_GB.UTF-8@euro" -> "en_GB"; "en_GB" -> "en"; "en" -> "".
std::string WithoutCodeset(std::string_view name) { return std::string(name.substr(0, name.find_first_of(".@"))); }
std::string WithoutCountry(const std::string& name) {
  const size_t sep = name.find('_');
  return sep == std::string::npos ? std::string() : name.substr(0, sep);
}

std::optional<std::string> Match(std::string_view name, const std::vector<std::string>& available) {
  for (std::string code = WithoutCodeset(name); !code.empty(); code = WithoutCountry(code))
    for (const std::string& a : available)
      if (a == code) return a;
  return std::nullopt;
}

bool Set(const char* v) { return v && *v; }

const MoCatalogue* CatalogueOf(const std::string& code) {
  for (const Loaded& l : Catalogues())
    if (l.code == code) return &l.catalogue;
  return nullptr;
}

// The original ("context\x04text" with a context) of every text a language
// shows, made when first asked for. Russian shows the originals; a plural
// entry's forms are left out (they are made for one number, not relabelled).
using Originals = std::unordered_map<std::string, std::string>;
const Originals& OriginalsShownIn(const std::string& code) {
  static std::map<std::string, Originals> made;
  if (auto found = made.find(code); found != made.end()) return found->second;
  Originals& originals = made[code];
  const MoCatalogue* own = CatalogueOf(code);
  for (const Loaded& l : Catalogues())
    if (own == nullptr || own == &l.catalogue)
      l.catalogue.ForEach([&](std::string_view original, std::string_view translation) {
        if (translation.find('\0') != std::string_view::npos) return;
        const size_t context = original.find('\x04');
        const std::string_view shown = own                                 ? translation
                                       : context == std::string_view::npos ? original
                                                                           : original.substr(context + 1);
        originals.emplace(std::string(shown), std::string(original));
      });
  return originals;
}

}  // namespace

const char* Tr(const char* russian) {
  const MoCatalogue* c = Now().catalogue;
  if (!c) return russian;
  const char* text = c->Find(russian);
  return text ? text : russian;
}

const char* TrC(const char* context, const char* russian) {
  const MoCatalogue* c = Now().catalogue;
  if (!c) return russian;
  const char* text = c->Find(std::string(context) + '\x04' + russian);
  return text ? text : russian;
}

std::string TrN(const char* one, const char* many, long n) {
  const unsigned long count = n < 0 ? 0UL - static_cast<unsigned long>(n) : static_cast<unsigned long>(n);
  const MoCatalogue* c = Now().catalogue;
  const char* text = c ? c->FindPlural(one, count) : nullptr;
  if (text) return text;
  return count == 1 ? one : many;
}

std::string Retranslate(const std::string& shown, const std::string& from) {
  if (from == Language() || shown.empty()) return shown;
  const Originals& originals = OriginalsShownIn(from);
  const auto found = originals.find(shown);
  if (found == originals.end()) return shown;
  const std::string& original = found->second;
  if (const MoCatalogue* c = Now().catalogue)
    if (const char* text = c->Find(original)) return text;
  const size_t context = original.find('\x04');
  return context == std::string::npos ? original : original.substr(context + 1);
}

const std::string& Language() { return Now().code; }

std::string LanguageName(const std::string& code) {
  const std::string was = Language();
  if (!SetLanguage(code)) return code;
  // TRANSLATORS: your language's name as its speakers write it ("English",
  // "Deutsch"): the language menu lists it so.
  const std::string name = TrC("language's own name", "Русский");
  SetLanguage(was);
  return code == "ru" || name != "Русский" ? name : code;
}

bool SetLanguage(const std::string& code) {
  Current& now = Now();
  now = Current();
  if (code == "ru") return true;
  for (const Loaded& l : Catalogues())
    if (l.code == code) {
      now.code = code;
      now.catalogue = &l.catalogue;
      return true;
    }
  return false;
}

std::vector<std::string> AvailableLanguages() {
  std::vector<std::string> codes = {"ru"};
  for (const Loaded& l : Catalogues()) codes.push_back(l.code);
  return codes;
}

std::string ChooseLanguage(const LocaleVariables& vars, const std::vector<std::string>& available) {
  const char* locale = Set(vars.lc_all) ? vars.lc_all : Set(vars.lc_messages) ? vars.lc_messages : vars.lang;
  const std::string base = Set(locale) ? WithoutCodeset(locale) : "C";
  if (base == "C" || base == "POSIX") return "ru";
  if (Set(vars.language)) {
    std::string_view list = vars.language;
    while (!list.empty()) {
      const size_t colon = list.find(':');
      if (auto code = Match(list.substr(0, colon), available)) return *code;
      list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
  }
  return Match(locale, available).value_or("ru");
}

std::string ChooseBrowserLanguage(const std::vector<std::string>& tags, const std::vector<std::string>& available) {
  const auto same = [](const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
  };
  for (std::string tag : tags) {
    std::replace(tag.begin(), tag.end(), '-', '_');
    for (; !tag.empty(); tag.resize(tag.find('_') == std::string::npos ? 0 : tag.rfind('_')))
      for (const std::string& a : available)
        if (same(a, tag)) return a;
  }
  return "ru";
}

}  // namespace kalvitor
