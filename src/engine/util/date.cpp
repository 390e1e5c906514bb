#include "util/date.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "util/decimal.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

// Days from 1 March of year 0 (proleptic Gregorian) to the civil date.
int64_t DaysFromCivilEpoch(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

const int64_t kSerialZero = DaysFromCivilEpoch(1899, 12, 30);

// As a date writes them, in the genitive ("6 декабря").
const char* const kMonthsGenitive[12] = {KV_N("января"),   KV_N("февраля"), KV_N("марта"),  KV_N("апреля"),
                                         KV_N("мая"),      KV_N("июня"),    KV_N("июля"),   KV_N("августа"),
                                         KV_N("сентября"), KV_N("октября"), KV_N("ноября"), KV_N("декабря")};

// Reads an unsigned decimal number of 1..max digits; false on anything else.
bool ReadNumber(const std::string& s, int maxDigits, int& out) {
  DecimalRule rule;
  rule.minus = false;
  rule.maxLength = static_cast<size_t>(maxDigits);
  const std::optional<int64_t> v = ParseDecimal(s, rule);
  if (!v) return false;
  out = static_cast<int>(*v);
  return true;
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t p = s.find(sep, start);
    parts.push_back(s.substr(start, p == std::string::npos ? std::string::npos : p - start));
    if (p == std::string::npos) break;
    start = p + 1;
  }
  return parts;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= kMinYear && year <= kMaxYear && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

int32_t SerialFromCivil(int year, int month, int day) {
  return static_cast<int32_t>(DaysFromCivilEpoch(year, month, day) - kSerialZero);
}

CivilDate CivilFromSerial(int32_t serial) {
  int64_t z = serial + kSerialZero;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const int64_t y = yoe + era * 400 + (m <= 2);
  return CivilDate{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

std::string FormatShortDate(int32_t serial) {
  CivilDate c = CivilFromSerial(serial);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", c.day, c.month, c.year);
  return buf;
}

std::string FormatShownDate(int32_t serial) {
  CivilDate c = CivilFromSerial(serial);
  char day[8], month[8], year[16];
  std::snprintf(day, sizeof day, "%02d", c.day);
  std::snprintf(month, sizeof month, "%02d", c.month);
  std::snprintf(year, sizeof year, "%04d", c.year);
  // TRANSLATORS: a date in figures: the day, the month, the year ("06.12.2026").
  return FormatText(TrC("date in figures", "%1$s.%2$s.%3$s"), {day, month, year});
}

std::string FormatLongDate(int32_t serial) {
  CivilDate c = CivilFromSerial(serial);
  char year[16];
  std::snprintf(year, sizeof year, "%04d", c.year);
  const char* month = Tr(kMonthsGenitive[(c.month + 11) % 12]);
  // TRANSLATORS: a date: the day, the month's name, the year ("6 декабря 2026").
  return FormatText(TrC("date", "%1$s %2$s %3$s"), {std::to_string(c.day), month, year});
}

std::optional<int32_t> ParseShortDate(const std::string& text) {
  std::vector<std::string> parts = Split(text, '.');
  if (parts.size() != 3) return std::nullopt;
  int d = 0, m = 0, y = 0;
  if (!ReadNumber(parts[0], 2, d) || !ReadNumber(parts[1], 2, m) || !ReadNumber(parts[2], 4, y)) return std::nullopt;
  if (!IsValidDate(y, m, d)) return std::nullopt;
  return SerialFromCivil(y, m, d);
}

std::string FormatHHMM(int minutesOfDay) {
  // Four times a second on the main window: written digit by digit.
  const int hours = (minutesOfDay / 60) % 100;
  const int minutes = minutesOfDay % 60;
  if (hours < 0 || minutes < 0) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", hours, minutes);
    return buf;
  }
  const char text[5] = {static_cast<char>('0' + hours / 10), static_cast<char>('0' + hours % 10), ':',
                        static_cast<char>('0' + minutes / 10), static_cast<char>('0' + minutes % 10)};
  return std::string(text, 5);
}

std::string FormatHMMSS(int minutesOfDay) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d:%02d:00", (minutesOfDay / 60) % 100, minutesOfDay % 60);
  return buf;
}

std::optional<int> ParseTimeOfDay(const std::string& text) {
  std::vector<std::string> parts = Split(text, ':');
  if (parts.size() != 2 && parts.size() != 3) return std::nullopt;
  int h = 0, m = 0, s = 0;
  if (!ReadNumber(parts[0], 2, h) || !ReadNumber(parts[1], 2, m)) return std::nullopt;
  if (parts.size() == 3 && !ReadNumber(parts[2], 2, s)) return std::nullopt;
  if (h > 23 || m > 59 || s > 59) return std::nullopt;
  return h * 60 + m;
}

}  // namespace kalvitor
