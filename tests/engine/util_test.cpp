// Rounding, the code page (checked against the system's own converter),
// letter case, the calendar and the random generator.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <clocale>
#include <cwctype>

#include "util/cp1251.h"
#include "util/date.h"
#include "util/int_math.h"
#include "util/random.h"
#include "util/text.h"

namespace kalvitor {
namespace {

// The byte through the system's own converter (Windows' code page 1251,
// or the C library's): "" when the code page has no character there.
std::string SystemCp1251(unsigned char byte) {
#ifdef _WIN32
  const char in = static_cast<char>(byte);
  wchar_t wide = 0;
  // Windows gives the empty place 0x98 the control character U+0098.
  if (::MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &in, 1, &wide, 1) != 1 || (wide >= 0x80 && wide < 0xA0))
    return "";
  char out[8] = {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, &wide, 1, out, sizeof out, nullptr, nullptr);
  return std::string(out, static_cast<size_t>(n));
#else
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv>";
  char in[1] = {static_cast<char>(byte)}, out[8] = {};
  char *pin = in, *pout = out;
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t r = iconv(cd, &pin, &inLeft, &pout, &outLeft);
  iconv_close(cd);
  return r == static_cast<size_t>(-1) ? "" : std::string(out, pout);
#endif
}

// The letter's other case by the system's Unicode tables.
wint_t SystemCase(wint_t c, bool upper) {
#ifdef _WIN32
  wchar_t w = static_cast<wchar_t>(c);
  upper ? ::CharUpperBuffW(&w, 1) : ::CharLowerBuffW(&w, 1);
  return w;
#else
  return upper ? std::towupper(c) : std::towlower(c);
#endif
}

// One UTF-8 character as a code point.
wint_t CodePoint(const std::string& c) {
  const auto* b = reinterpret_cast<const unsigned char*>(c.data());
  if (c.size() == 1) return b[0];
  if (c.size() == 2) return ((b[0] & 0x1F) << 6) | (b[1] & 0x3F);
  return ((b[0] & 0x0F) << 12) | ((b[1] & 0x3F) << 6) | (b[2] & 0x3F);
}

}  // namespace

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const struct {
    int64_t num, den, want;
  } rows[] = {{1725, 10, 172}, {125, 10, 12}, {1875, 100, 19}, {1875, 10, 188}, {2, 4, 0}, {6, 4, 2},
              {-2, 4, 0},      {-6, 4, -2},   {-7, 2, -4},     {-5, 2, -2},     {7, 2, 4}, {13, 10, 1},
              {17, 10, 2},     {-13, 10, -1}, {-17, 10, -2},   {10, -4, -2},    {1, 0, 0}};
  for (const auto& r : rows) EXPECT_EQ(DivRoundHalfEven(r.num, r.den), r.want) << r.num << "/" << r.den;
  const struct {
    double x;
    int64_t want;
  } reals[] = {{37.5, 38}, {36.5, 36}, {-0.5, 0}, {-1.5, -2}, {0.49999, 0}, {0.50001, 1}, {2.5000001, 3}};
  for (const auto& r : reals) EXPECT_EQ(RoundHalfEven(r.x), r.want) << r.x;
  EXPECT_EQ(Sat16(40000), 32767);
  EXPECT_EQ(Sat16(-40000), -32768);
  EXPECT_EQ(Sat32(int64_t{1} << 40), 2147483647);
  EXPECT_EQ(Sat32(-(int64_t{1} << 40)), -2147483647 - 1);
}

TEST(CodePage, AllBytesMatchTheSystemConverterAndRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string want = SystemCp1251(static_cast<unsigned char>(b));
    SCOPED_TRACE(b);
    if (want.empty()) {  // 0x98 has no character: shown as the replacement mark
      EXPECT_EQ(Cp1251ToUtf8(byte), "\xEF\xBF\xBD");
      EXPECT_EQ(Utf8ToCp1251("\xEF\xBF\xBD"), byte);  // and back, as it was read
      continue;
    }
    EXPECT_EQ(Cp1251ToUtf8(byte), want);
    EXPECT_EQ(Utf8ToCp1251(want), byte);
  }
  EXPECT_EQ(Utf8ToCp1251("日本"), "??");
}

TEST(CodePage, UpperAndLowerCasePairsFollowUnicode) {
#ifndef _WIN32
  ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
#endif
  int pairs = 0;
  for (int b = 0; b < 256; ++b) {
    const std::string c = Cp1251ToUtf8(std::string(1, static_cast<char>(b)));
    const wint_t cp = CodePoint(c);
    SCOPED_TRACE(b);
    for (const bool upper : {true, false}) {
      const wint_t folded = SystemCase(cp, upper);
      // The letter's partner, when the code page holds it; else the letter stays.
      std::string partner = c;
      for (int p = 0; p < 256; ++p) {
        const std::string other = Cp1251ToUtf8(std::string(1, static_cast<char>(p)));
        if (folded != cp && CodePoint(other) == folded) partner = other;
      }
      if (partner != c) ++pairs;
      EXPECT_EQ(upper ? UpperCase(c) : LowerCase(c), partner);
    }
  }
  std::setlocale(LC_CTYPE, "C");
  EXPECT_EQ(pairs, 2 * (26 + 32 + 15));  // Latin, Russian without Ё, and Ё with the other Cyrillic letters
  EXPECT_TRUE(EqualsIgnoreCase("Игра.ksv", "иГРА.KSV"));
  EXPECT_EQ(UpperCase("日本 nelux"), "日本 NELUX");
}

TEST(Calendar, SerialsValidityAndTheRussianForms) {
  EXPECT_EQ(SerialFromCivil(1899, 12, 30), 0);
  EXPECT_EQ(SerialFromCivil(1900, 1, 1), 2);
  const CivilDate c = CivilFromSerial(SerialFromCivil(2028, 2, 29));
  EXPECT_EQ(c.year * 10000 + c.month * 100 + c.day, 20280229);
  for (auto [y, m, d, valid] :
       {std::tuple{2027, 2, 29, false}, {2000, 2, 29, true}, {1900, 2, 29, false}, {2026, 4, 31, false}})
    EXPECT_EQ(IsValidDate(y, m, d), valid) << y << "-" << m << "-" << d;
  const char* const months[] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                                "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
  for (int m = 1; m <= 12; ++m)
    EXPECT_EQ(FormatLongDate(SerialFromCivil(2027, m, 1)), "1 " + std::string(months[m - 1]) + " 2027");
  // The short date and time forms are checked through the saved game's lines.
  EXPECT_FALSE(ParseShortDate("31.04.2027"));
  EXPECT_EQ(ParseTimeOfDay("23:59:59"), 1439);
  EXPECT_FALSE(ParseTimeOfDay("24:00"));
}

TEST(RandomDraws, ForcedValuesComeFirstAndTheEndsComeHalfAsOften) {
  Random r(5);
  r.Force(0.5);
  r.Force(0.99);
  r.Reseed(123);
  r.ReseedWithDraw(50);
  EXPECT_EQ(r.DrawInt(5), 2);  // 2.5 goes to the even 2, not up to 3
  EXPECT_EQ(r.DrawInt(32), 32);
  EXPECT_EQ(r.ForcedLeft(), 0u);
  Random g(42);
  int counts[5] = {};
  for (int i = 0; i < 80000; ++i) ++counts[g.DrawInt(4)];
  EXPECT_NEAR(counts[0], 10000, 600);
  EXPECT_NEAR(counts[2], 20000, 900);
  EXPECT_NEAR(counts[4], 10000, 600);
}

}  // namespace kalvitor
