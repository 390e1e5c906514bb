// Rounding, code page, calendar and the random generator.
#include <gtest/gtest.h>

#include "util/cp1251.h"
#include "util/date.h"
#include "util/int_math.h"
#include "util/random.h"
#include "util/text.h"

namespace kalvitor {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(DivRoundHalfEven(1725, 10), 172);  // 1150 * 15%
  EXPECT_EQ(DivRoundHalfEven(125, 10), 12);    // a raise of $10
  EXPECT_EQ(DivRoundHalfEven(1875, 100), 19);
  EXPECT_EQ(DivRoundHalfEven(1875, 10), 188);
  EXPECT_EQ(DivRoundHalfEven(2, 4), 0);
  EXPECT_EQ(DivRoundHalfEven(6, 4), 2);
  EXPECT_EQ(DivRoundHalfEven(-2, 4), 0);
  EXPECT_EQ(DivRoundHalfEven(-6, 4), -2);
  EXPECT_EQ(DivRoundHalfEven(-1500, 2), -750);
  EXPECT_EQ(DivRoundHalfEven(-7, 2), -4);
  EXPECT_EQ(DivRoundHalfEven(-5, 2), -2);
  EXPECT_EQ(RoundHalfEven(37.5), 38);
  EXPECT_EQ(RoundHalfEven(36.5), 36);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(0.49999), 0);
}

TEST(Saturation, StaysInTheTypesRange) {
  EXPECT_EQ(Sat16(40000), 32767);
  EXPECT_EQ(Sat16(-40000), -32768);
  EXPECT_EQ(Sat32(int64_t{1} << 40), 2147483647);
  EXPECT_EQ(Sat32(-(int64_t{1} << 40)), -2147483647 - 1);
}

TEST(CodePage, CyrillicRoundTripAndFolding) {
  const std::string name = "Вася Пупкин ёЁ №";
  std::string bytes = Utf8ToCp1251(name);
  EXPECT_EQ(bytes.size(), Utf8Length(name));
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC2);  // В
  EXPECT_EQ(Cp1251ToUtf8(bytes), name);
  EXPECT_EQ(Utf8ToCp1251("日本"), "??");
  EXPECT_EQ(Cp1251ToUtf8(std::string("\x98", 1)), "\xEF\xBF\xBD");
  EXPECT_EQ(UpperCase("nelux Вася ё"), "NELUX ВАСЯ Ё");
  EXPECT_TRUE(EqualsIgnoreCase("First.ksv", "first.KSV"));
  EXPECT_TRUE(EqualsIgnoreCase("Игра.ksv", "ИГРА.ksv"));
  EXPECT_EQ(Utf8Prefix("Раз два", 3), "Раз");
}

TEST(Calendar, SerialsAndValidity) {
  EXPECT_EQ(SerialFromCivil(1899, 12, 30), 0);
  EXPECT_EQ(SerialFromCivil(1900, 1, 1), 2);
  CivilDate c = CivilFromSerial(SerialFromCivil(2028, 2, 29));
  EXPECT_EQ(c.year, 2028);
  EXPECT_EQ(c.month, 2);
  EXPECT_EQ(c.day, 29);
  EXPECT_FALSE(IsValidDate(2027, 2, 29));
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  EXPECT_FALSE(IsValidDate(2026, 4, 31));
  EXPECT_FALSE(IsValidDate(10000, 1, 1));
  EXPECT_EQ(FormatLongDate(SerialFromCivil(2026, 12, 6)), "6 декабря 2026");
  EXPECT_EQ(FormatLongDate(SerialFromCivil(2027, 3, 1)), "1 марта 2027");
  EXPECT_EQ(FormatShortDate(SerialFromCivil(2002, 3, 5)), "05.03.2002");
  EXPECT_EQ(ParseShortDate("5.3.2002"), SerialFromCivil(2002, 3, 5));
  EXPECT_FALSE(ParseShortDate("31.04.2027"));
  EXPECT_FALSE(ParseShortDate("1.1.20027"));
  EXPECT_EQ(FormatHMMSS(0), "0:00:00");
  EXPECT_EQ(FormatHMMSS(7 * 60 + 30), "7:30:00");
  EXPECT_EQ(ParseTimeOfDay("7:30"), 450);
  EXPECT_EQ(ParseTimeOfDay("23:59:59"), 1439);
  EXPECT_FALSE(ParseTimeOfDay("24:00"));
}

TEST(RandomDraws, ForcedValuesComeFirstAndReseedingTakesNone) {
  Random r(5);
  r.Force(0.5);
  r.Force(0.99);
  r.Reseed(123);
  r.ReseedWithDraw(50);
  EXPECT_EQ(r.DrawInt(75), 38);  // 37.5 goes to the even 38
  EXPECT_EQ(r.DrawInt(32), 32);
  EXPECT_EQ(r.ForcedLeft(), 0u);
  // The two ends of a draw come half as often as the inner values.
  Random g(42);
  int counts[5] = {};
  for (int i = 0; i < 80000; ++i) ++counts[g.DrawInt(4)];
  EXPECT_NEAR(counts[0], 10000, 600);
  EXPECT_NEAR(counts[2], 20000, 900);
  EXPECT_NEAR(counts[4], 10000, 600);
}

}  // namespace kalvitor
