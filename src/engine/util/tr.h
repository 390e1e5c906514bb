// The game's texts in the player's language. The texts are written in Russian
// in the sources, and Russian needs no catalogue: Tr("Назад") is "Назад" while
// the language is Russian, and the catalogue's text for it in another
// language, or "Назад" again where that catalogue lacks it. Texts that are
// saved, compared or parsed stay Russian; only what is shown goes through here.
//
// The marks are what scripts/po.sh extracts into po/kalvitor.pot: Tr, TrC
// (a context for one Russian text that needs two translations), TrN (a
// number's forms), KV_N (a text in a table, translated where it is shown) and
// KV_NC (the same with a context, translated with TrC).
#pragma once

#include <string>
#include <vector>

// A text of a static table, extracted for the translators and translated
// (with Tr) where it is shown.
#define KV_N(text) text
// The same in a context: the table's texts are translated with TrC(context, text).
#define KV_NC(context, text) text

namespace kalvitor {

const char* Tr(const char* russian);
inline std::string Tr(const std::string& russian) { return Tr(russian.c_str()); }
// The same text in a context ("month" for a month's name).
const char* TrC(const char* context, const char* russian);
// The form for n of a text with a number: the two Russian forms as given
// (one for 1, many else) while the language is Russian, the catalogue's
// forms by its plural rule in another language.
std::string TrN(const char* one, const char* many, long n);

// A text shown in the language `from`, in the language now: the same
// original's text in this language's catalogue (Russian where it has none).
// A text that is no catalogue's in `from` (a name, a number, a line put
// together from pieces) is returned as it is.
std::string Retranslate(const std::string& shown, const std::string& from);

// The language's code, "ru" or one of the game's catalogues ("en").
const std::string& Language();
// What a language calls itself ("Русский", "English"): its catalogue's
// translation of "Русский" in the context "language's own name"; the code
// when the catalogue has none.
std::string LanguageName(const std::string& code);
// false (and Russian) for a code with no catalogue.
bool SetLanguage(const std::string& code);
// "ru" and the codes of the game's catalogues.
std::vector<std::string> AvailableLanguages();

// The language a player's environment asks for, among those available, as
// gettext chooses: the locale of messages is the first set of LC_ALL,
// LC_MESSAGES and LANG; in the C or POSIX locale (C.UTF-8 too, or none) the game speaks
// Russian; else LANGUAGE's colon-separated list is tried in order, then the
// locale itself, each as "ll_CC" and then "ll" ("en_GB.UTF-8" -> "en_GB",
// "en"). Nothing available: Russian. A variable not set is nullptr or "".
struct LocaleVariables {
  const char* language = nullptr;
  const char* lc_all = nullptr;
  const char* lc_messages = nullptr;
  const char* lang = nullptr;
};
std::string ChooseLanguage(const LocaleVariables& vars, const std::vector<std::string>& available);

// The language a browser asks for (its list of language tags, "en-US",
// "ru"), among those available: the first tag of the list the game has,
// each tried whole and then shorter ("pt-BR" as "pt_BR", then "pt"; "en-US"
// is "en"), whatever the case of its letters. Nothing available: Russian.
std::string ChooseBrowserLanguage(const std::vector<std::string>& tags, const std::vector<std::string>& available);

}  // namespace kalvitor
