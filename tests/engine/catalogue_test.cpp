// The game's languages: the compiled catalogues that msgfmt writes (from the
// small .po files in catalogues/, built into this program as the game's own
// are), the plural rules of real languages, and the choice of a language
// from the player's environment.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "util/embedded_catalogues.h"
#include "util/mo_catalogue.h"
#include "util/plural_forms.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {
// Defined by the build from tests/engine/catalogues/*.po.
std::span<const EmbeddedCatalogue> TestCatalogues();

namespace {

std::string Bytes(const std::string& code) {
  for (const EmbeddedCatalogue& c : TestCatalogues())
    if (code == c.code) return std::string(reinterpret_cast<const char*>(c.bytes), c.size);
  ADD_FAILURE() << "no test catalogue " << code;
  return {};
}

std::string Or(const char* text, const char* none = "(none)") { return text ? text : none; }

TEST(MoCatalogue, FindsTextsAndPluralFormsInEitherByteOrder) {
  struct Row {
    const char* code;
    const char* original;
    long n;  // -1: a plain text
    const char* expected;
  };
  const Row rows[] = {
      {"en", "Назад", -1, "Back"},         {"en", "%s день", 1, "%s day"},
      {"en", "%s день", 0, "%s days"},     {"en", "%s день", 2, "%s days"},
      {"en", "%s день", 21, "%s days"},    {"en", "Магазин", -1, "(none)"},  // fuzzy: msgfmt leaves it out
      {"en", "Работа", -1, "(none)"},                                        // untranslated
      {"en", "Ничего", -1, "(none)"},      {"en_big", "Назад", -1, "Back"},
      {"en_big", "%s день", 1, "%s day"},  {"en_big", "%s день", 5, "%s days"},
      {"uk", "%s день", 1, "%s день"},     {"uk", "%s день", 2, "%s дні"},
      {"uk", "%s день", 4, "%s дні"},      {"uk", "%s день", 5, "%s днів"},
      {"uk", "%s день", 11, "%s днів"},    {"uk", "%s день", 12, "%s днів"},
      {"uk", "%s день", 21, "%s день"},    {"uk", "%s день", 22, "%s дні"},
      {"uk", "%s день", 111, "%s днів"},   {"uk", "%s день", 0, "%s днів"},
      {"uk", "%s дней", 5, "(none)"},  // found by the first form only
      {"de", "month\x04Март", -1, "März"}, {"de", "Март", -1, "Mart (ohne Kontext)"},
      {"de", "month\x04Май", -1, "Mai"},   {"de", "Май", -1, "(none)"},
  };
  for (const Row& r : rows) {
    const std::string bytes = Bytes(r.code);
    const auto catalogue = MoCatalogue::Read(bytes);
    ASSERT_TRUE(catalogue) << r.code;
    const char* found = r.n < 0 ? catalogue->Find(r.original) : catalogue->FindPlural(r.original, r.n);
    EXPECT_EQ(Or(found), r.expected) << r.code << " " << r.original << " " << r.n;
  }
}

TEST(MoCatalogue, ReadsTheHeadersPluralRule) {
  const struct {
    const char* code;
    size_t forms;
  } rows[] = {{"en", 2}, {"en_big", 2}, {"uk", 3}, {"de", 2}};
  for (const auto& r : rows) {
    // The catalogue reads its texts where they lie: the bytes outlive it.
    const std::string bytes = Bytes(r.code);
    const auto catalogue = MoCatalogue::Read(bytes);
    ASSERT_TRUE(catalogue);
    EXPECT_EQ(catalogue->Plurals().Count(), r.forms) << r.code;
    EXPECT_TRUE(catalogue->Plurals().Parsed()) << r.code;
    EXPECT_NE(catalogue->Header().find("Language: "), std::string_view::npos);
  }
}

TEST(MoCatalogue, RefusesEveryTruncatedFile) {
  for (const char* code : {"en", "en_big", "uk", "de"}) {
    const std::string whole = Bytes(code);
    ASSERT_TRUE(MoCatalogue::Read(whole));
    for (size_t size = 0; size < whole.size(); ++size) {
      // A copy of exactly that size, so that a read past its end is one.
      const std::string cut = whole.substr(0, size);
      EXPECT_FALSE(MoCatalogue::Read(cut)) << code << " cut to " << size;
    }
  }
}

// The little-endian file's word at a byte offset.
uint32_t Word(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
  return v;
}
void SetWord(std::string& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
}

TEST(MoCatalogue, RefusesALyingFile) {
  // Header words: 0 magic, 4 revision, 8 count, 12 originals' table,
  // 16 translations' table; a table's entry is (length, offset).
  const std::string whole = Bytes("en");
  const uint32_t originals = Word(whole, 12), translations = Word(whole, 16);
  const auto o = [&](size_t entry, size_t word) { return Word(whole, originals + entry * 8 + word * 4); };
  const auto t = [&](size_t entry, size_t word) { return Word(whole, translations + entry * 8 + word * 4); };
  const struct {
    const char* what;
    std::vector<std::pair<size_t, uint32_t>> words;  // (offset, new value)
  } rows[] = {
      {"magic", {{0, 0x12345678}}},
      {"revision 2", {{4, 2u << 16}}},
      {"a huge count", {{8, 0xFFFFFFFF}}},
      {"one entry too many", {{8, Word(whole, 8) + 1}}},
      {"originals past the end", {{12, static_cast<uint32_t>(whole.size() - 8)}}},
      {"translations past the end", {{16, 0xFFFFFFF0}}},
      {"an original's length past the end", {{originals + 8, 0xFFFFFFFF}}},
      {"an original's offset past the end", {{originals + 12, static_cast<uint32_t>(whole.size())}}},
      {"a translation's length past the end", {{translations + 16, static_cast<uint32_t>(whole.size())}}},
      {"a translation's offset wrapping round", {{translations + 20, 0xFFFFFFFC}}},
      {"a text not ended by NUL", {{translations + 8, t(1, 0) + 1}}},
      // Entries 1 and 2 swapped whole: each text still right, the order not.
      {"originals out of order",
       {{originals + 8, o(2, 0)},
        {originals + 12, o(2, 1)},
        {originals + 16, o(1, 0)},
        {originals + 20, o(1, 1)},
        {translations + 8, t(2, 0)},
        {translations + 12, t(2, 1)},
        {translations + 16, t(1, 0)},
        {translations + 20, t(1, 1)}}},
      {"two equal originals", {{originals + 16, o(1, 0)}, {originals + 20, o(1, 1)}}},
  };
  for (const auto& r : rows) {
    std::string lying = whole;
    for (const auto& [at, value] : r.words) SetWord(lying, at, value);
    EXPECT_FALSE(MoCatalogue::Read(lying)) << r.what;
  }
}

TEST(PluralForms, ChoosesTheFormOfEachLanguage) {
  // The languages' rules as their catalogues write them; n: its form.
  const struct {
    const char* language;
    unsigned long count;
    const char* expression;
    std::vector<std::pair<unsigned long, size_t>> forms;
  } rows[] = {
      {"en", 2, "n != 1", {{0, 1}, {1, 0}, {2, 1}, {11, 1}, {101, 1}}},
      {"fr", 2, "(n > 1)", {{0, 0}, {1, 0}, {2, 1}, {100, 1}}},
      {"ja", 1, "0", {{0, 0}, {1, 0}, {7, 0}}},
      {"ru",
       3,
       "(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2)",
       {{0, 2},
        {1, 0},
        {2, 1},
        {4, 1},
        {5, 2},
        {11, 2},
        {12, 2},
        {14, 2},
        {21, 0},
        {22, 1},
        {25, 2},
        {101, 0},
        {111, 2},
        {112, 2},
        {1004, 1}}},
      {"pl",
       3,
       "(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2)",
       {{1, 0}, {2, 1}, {5, 2}, {12, 2}, {21, 2}, {22, 1}, {0, 2}}},
      {"cs", 3, "(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2", {{1, 0}, {2, 1}, {4, 1}, {5, 2}, {22, 2}, {0, 2}}},
      {"lv", 3, "n%10==1 && n%100!=11 ? 0 : n != 0 ? 1 : 2", {{0, 2}, {1, 0}, {11, 1}, {21, 0}, {2, 1}}},
      {"ro",
       3,
       "n==1 ? 0 : (n==0 || (n%100 > 0 && n%100 < 20)) ? 1 : 2",
       {{0, 1}, {1, 0}, {19, 1}, {20, 2}, {101, 1}, {120, 2}}},
      {"sl",
       4,
       "n%100==1 ? 0 : n%100==2 ? 1 : n%100==3 || n%100==4 ? 2 : 3",
       {{1, 0}, {101, 0}, {102, 1}, {203, 2}, {204, 2}, {5, 3}, {11, 3}}},
      {"ga",
       5,
       "n==1 ? 0 : n==2 ? 1 : (n>2 && n<7) ? 2 :(n>6 && n<11) ? 3 : 4",
       {{1, 0}, {2, 1}, {3, 2}, {6, 2}, {7, 3}, {10, 3}, {11, 4}, {0, 4}}},
      {"ar",
       6,
       "n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 : n%100>=11 ? 4 : 5",
       {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {10, 3}, {103, 3}, {11, 4}, {99, 4}, {100, 5}, {102, 5}}},
      // Arithmetic, precedence and the guards.
      {"sums", 9, "(n+1)/2", {{5, 3}, {4, 2}, {0, 0}}},
      {"products", 9, "n - n/3*3 + 2*2 - 4", {{7, 1}, {9, 0}, {5, 2}}},
      {"not", 2, "!(n-1)", {{1, 1}, {2, 0}}},
      {"&& before ||", 2, "n==1 || n==2 && n==3", {{1, 1}, {2, 0}, {3, 0}}},
      {"comparisons before ==", 2, "n < 2 == 1", {{1, 1}, {5, 0}}},
      {"not not", 2, "!!n", {{0, 0}, {3, 1}}},
      {"right-nested ?:", 3, "n<2 ? 0 : n<3 ? 1 : 2", {{1, 0}, {2, 1}, {9, 2}}},
      {"no division by zero", 2, "n/0 + n%0", {{5, 0}}},
      {"beyond the count: the first", 2, "n", {{5, 0}, {1, 1}}},
  };
  for (const auto& r : rows) {
    const PluralForms rule(r.expression, r.count);
    EXPECT_TRUE(rule.Parsed()) << r.language;
    EXPECT_EQ(rule.Count(), r.count) << r.language;
    for (const auto& [n, form] : r.forms) EXPECT_EQ(rule.Form(n), form) << r.language << " n=" << n;
  }
}

TEST(PluralForms, ABadRuleFallsBackToTwoForms) {
  const struct {
    const char* expression;
    unsigned long count;
  } rows[] = {{"", 2},         {"n ==", 3},         {"(n", 3},    {"n % % 2", 3}, {"n ? 1", 3},
              {"x", 3},        {"n==1)", 3},        {"n = 1", 3}, {"n != 1", 0},  {"n != 1", 101},
              {"n ? 1 : ", 3}, {"99999999999 ", 2}, {"n +", 3}};
  for (const auto& r : rows) {
    const PluralForms rule(r.expression, r.count);
    EXPECT_FALSE(rule.Parsed()) << r.expression;
    EXPECT_EQ(rule.Count(), 2u) << r.expression;
    EXPECT_EQ(rule.Form(1), 0u) << r.expression;
    EXPECT_EQ(rule.Form(0), 1u) << r.expression;
    EXPECT_EQ(rule.Form(5), 1u) << r.expression;
  }
  std::string deep(200, '(');
  deep += "n" + std::string(200, ')');
  EXPECT_FALSE(PluralForms(deep, 2).Parsed());
}

TEST(PluralForms, ReadsTheHeaderLine) {
  const struct {
    const char* header;
    bool parsed;
    size_t count;
    size_t form_of_5;
  } rows[] = {
      {"Language: uk\nPlural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && "
       "(n%100<10 || n%100>=20) ? 1 : 2);\n",
       true, 3, 2},
      {"Plural-Forms: nplurals=1; plural=0;\n", true, 1, 0},
      {"Plural-Forms:  plural=n>1 ;nplurals = 2\n", true, 2, 1},
      {"Language: en\n", false, 2, 1},
      {"Plural-Forms: nplurals=x; plural=0;\n", false, 2, 1},
      {"Plural-Forms: nplurals=3;\n", false, 2, 1},
  };
  for (const auto& r : rows) {
    const PluralForms rule = PluralForms::FromHeader(r.header);
    EXPECT_EQ(rule.Parsed(), r.parsed) << r.header;
    EXPECT_EQ(rule.Count(), r.count) << r.header;
    EXPECT_EQ(rule.Form(5), r.form_of_5) << r.header;
  }
}

TEST(Language, ChosenFromTheEnvironment) {
  const std::vector<std::string> available = {"ru", "en", "pt_BR"};
  const struct {
    const char *language, *lc_all, *lc_messages, *lang, *expected;
  } rows[] = {
      {nullptr, nullptr, nullptr, nullptr, "ru"},
      {nullptr, nullptr, nullptr, "en_GB.UTF-8", "en"},
      {nullptr, nullptr, nullptr, "en_US", "en"},
      {nullptr, nullptr, nullptr, "en", "en"},
      {nullptr, nullptr, nullptr, "en@quot", "en"},
      {nullptr, nullptr, nullptr, "C", "ru"},
      {nullptr, nullptr, nullptr, "POSIX", "ru"},
      {nullptr, nullptr, nullptr, "C.UTF-8", "ru"},
      {nullptr, nullptr, nullptr, "de_DE.UTF-8", "ru"},
      {nullptr, nullptr, nullptr, "ru_RU.UTF-8", "ru"},
      {nullptr, nullptr, nullptr, "pt_BR.UTF-8", "pt_BR"},
      {nullptr, nullptr, nullptr, "pt_PT.UTF-8", "ru"},
      {nullptr, "en_US.UTF-8", nullptr, "ru_RU.UTF-8", "en"},
      {nullptr, "ru_RU.UTF-8", "en_US.UTF-8", "en_US.UTF-8", "ru"},
      {nullptr, nullptr, "en_US.UTF-8", "ru_RU.UTF-8", "en"},
      {nullptr, "", "", "en_US.UTF-8", "en"},
      {"de:en", nullptr, nullptr, "ru_RU.UTF-8", "en"},
      {"de:fr", nullptr, nullptr, "en_US.UTF-8", "en"},
      {"::en_AU", nullptr, nullptr, "de_DE", "en"},
      {"pt_BR:en", nullptr, nullptr, "de_DE.UTF-8", "pt_BR"},
      {"ru:en", nullptr, nullptr, "en_US.UTF-8", "ru"},
      {"en", nullptr, nullptr, "C", "ru"},
      {"en", "C", nullptr, "en_US.UTF-8", "ru"},
      {"en", nullptr, nullptr, nullptr, "ru"},
      {"", nullptr, nullptr, "en_US.UTF-8", "en"},
  };
  for (const auto& r : rows) {
    const LocaleVariables vars{r.language, r.lc_all, r.lc_messages, r.lang};
    EXPECT_EQ(ChooseLanguage(vars, available), r.expected)
        << Or(r.language, "-") << " " << Or(r.lc_all, "-") << " " << Or(r.lc_messages, "-") << " " << Or(r.lang, "-");
  }
}

// The browser's list of languages, the first it prefers first.
TEST(Language, ChosenFromTheBrowsersList) {
  const std::vector<std::string> available = {"ru", "en", "pt_BR"};
  const struct {
    std::vector<std::string> tags;
    const char* expected;
  } rows[] = {
      {{}, "ru"},           {{"en-US"}, "en"},          {{"en"}, "en"},
      {{"EN-gb"}, "en"},    {{"en-US-x-twain"}, "en"},  {{"de-DE", "de", "en-GB", "en"}, "en"},
      {{"de", "fr"}, "ru"}, {{"ru-RU", "en-US"}, "ru"}, {{"uk", "ru", "en"}, "ru"},
      {{"pt-BR"}, "pt_BR"}, {{"pt-br", "en"}, "pt_BR"}, {{"pt-PT", "en"}, "en"},
      {{"pt"}, "ru"},       {{"", "en"}, "en"},         {{"e", "n"}, "ru"},
  };
  for (const auto& r : rows) {
    std::string list;
    for (const std::string& t : r.tags) list += t + ",";
    EXPECT_EQ(ChooseBrowserLanguage(r.tags, available), r.expected) << list;
  }
}

TEST(Language, TextsFollowTheLanguageAndFallBackToRussian) {
  ASSERT_TRUE(SetLanguage("en"));
  EXPECT_EQ(Language(), "en");
  EXPECT_STREQ(Tr("Назад"), "Back");
  const char* missing = "Такого текста в игре нет";
  EXPECT_EQ(Tr(missing), missing);
  EXPECT_EQ(TrN("Такого дня нет", "Таких дней нет", 5), "Таких дней нет");

  EXPECT_FALSE(SetLanguage("xx"));
  EXPECT_EQ(Language(), "ru");
  EXPECT_STREQ(Tr("Назад"), "Назад");
  EXPECT_STREQ(TrC("month", "Март"), "Март");
  EXPECT_EQ(TrN("%s день", "%s дней", 1), "%s день");
  EXPECT_EQ(TrN("%s день", "%s дней", -1), "%s день");
  EXPECT_EQ(TrN("%s день", "%s дней", 5), "%s дней");
  EXPECT_EQ(TrN("%s день", "%s дней", 0), "%s дней");
  EXPECT_TRUE(SetLanguage("ru"));
  const std::vector<std::string> available = AvailableLanguages();
  EXPECT_EQ(available.front(), "ru");
  EXPECT_NE(std::find(available.begin(), available.end(), "en"), available.end());
}

TEST(FormatText, PutsThePiecesInTheirPlaces) {
  const struct {
    const char* pattern;
    std::initializer_list<std::string> pieces;
    const char* expected;
  } rows[] = {
      {"Вы получили %s руб.", {"100"}, "Вы получили 100 руб."},
      {"%s и %s", {"A", "B"}, "A и B"},
      {"%2$s and %1$s", {"A", "B"}, "B and A"},
      {"%2$s, then %s", {"A", "B", "C"}, "B, then C"},
      {"100%% %s", {"x"}, "100% x"},
      {"%d %", {"x"}, "%d %"},
      {"%s %s", {"only"}, "only "},
  };
  for (const auto& r : rows) EXPECT_EQ(FormatText(r.pattern, r.pieces), r.expected) << r.pattern;
}

}  // namespace
}  // namespace kalvitor
