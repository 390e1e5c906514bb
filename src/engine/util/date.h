// Calendar dates as whole-day serial numbers, day 0 being 30 December 1899,
// and times of day as minutes after midnight. Everything here follows the
// day.month.year arithmetic of the game and never the machine's locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kalvitor {

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
};

constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// A real calendar date within the years 100..9999.
bool IsValidDate(int year, int month, int day);
int32_t SerialFromCivil(int year, int month, int day);
CivilDate CivilFromSerial(int32_t serial);

// "06.12.2026", as saved files and the driver write a date
std::string FormatShortDate(int32_t serial);
// The same date in figures as the player's language writes it: "06.12.2026"
// in Russian, "12/06/2026" in English
std::string FormatShownDate(int32_t serial);
// "6 декабря 2026" (full Russian month name in the genitive); in another
// language its month and its order ("December 6, 2026")
std::string FormatLongDate(int32_t serial);
// Accepts D.M.YYYY with one or two digits for day and month.
std::optional<int32_t> ParseShortDate(const std::string& text);

// "07:30"
std::string FormatHHMM(int minutesOfDay);
// "7:30:00", hours without a leading zero
std::string FormatHMMSS(int minutesOfDay);
// Accepts H:MM and H:MM:SS (the seconds are dropped); minutes of the day.
std::optional<int> ParseTimeOfDay(const std::string& text);

}  // namespace kalvitor
