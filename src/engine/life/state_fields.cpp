#include "life/state_fields.h"

#include <limits>

#include "util/date.h"
#include "util/decimal.h"
#include "util/int_math.h"
#include "util/text.h"

namespace kalvitor {
namespace {

template <typename T>
StateField Whole(const std::string& name, FieldType type, T GameState::*member) {
  return StateField{name, type, true, [member](const GameState& s) { return std::to_string(s.*member); },
                    [member, type](GameState& s, const std::string& text) {
                      std::optional<long long> v = ParseWhole(text);
                      if (!v) return false;
                      // A Boolean is True (-1) or False (0) and nothing else.
                      if (type == FieldType::Bool && *v != kTrue && *v != kFalse) return false;
                      s.*member = type == FieldType::Int32 ? static_cast<T>(Sat32(*v)) : static_cast<T>(Sat16(*v));
                      return true;
                    }};
}

StateField Text(const std::string& name, std::string GameState::*member) {
  return StateField{name, FieldType::String, true, [member](const GameState& s) { return Quoted(s.*member); },
                    [member](GameState& s, const std::string& text) {
                      s.*member = text;
                      return true;
                    }};
}

template <size_t N>
StateField Slot(const std::string& name, std::array<int16_t, N> GameState::*array, size_t i, bool settable) {
  return StateField{name, FieldType::Int16, settable,
                    [array, i](const GameState& s) { return std::to_string((s.*array)[i]); },
                    [array, i](GameState& s, const std::string& text) {
                      std::optional<long long> v = ParseWhole(text);
                      if (!v) return false;
                      (s.*array)[i] = Sat16(*v);
                      return true;
                    }};
}

std::vector<StateField> Build() {
  using S = GameState;
  std::vector<StateField> f;
  f.push_back(Whole("Money", FieldType::Int32, &S::Money));
  f.push_back(Whole("Mood", FieldType::Int16, &S::Mood));
  f.push_back(Whole("Health", FieldType::Int16, &S::Health));
  f.push_back(Whole("Satiety", FieldType::Int16, &S::Satiety));
  f.push_back(StateField{"GameDate", FieldType::Date, true,
                         [](const GameState& s) { return FormatShortDate(s.GameDate); },
                         [](GameState& s, const std::string& t) {
                           std::optional<int32_t> d = ParseShortDate(t);
                           if (!d) return false;
                           s.GameDate = *d;
                           return true;
                         }});
  f.push_back(StateField{"GameTime", FieldType::Time, true, [](const GameState& s) { return FormatHHMM(s.GameTime); },
                         [](GameState& s, const std::string& t) {
                           std::optional<int> m = ParseTimeOfDay(t);
                           if (!m) return false;
                           s.GameTime = *m;
                           return true;
                         }});
  f.push_back(Whole("TickMinutes", FieldType::Int16, &S::TickMinutes));
  f.push_back(Whole("WinMoney", FieldType::Int16, &S::WinMoney));
  f.push_back(Whole("DifficultyCode", FieldType::Int16, &S::DifficultyCode));
  f.push_back(Whole("CheatWin", FieldType::Bool, &S::CheatWin));
  f.push_back(Whole("StatusRank", FieldType::Int16, &S::StatusRank));
  f.push_back(Whole("Education", FieldType::Int16, &S::Education));
  f.push_back(Whole("AttendsCourses", FieldType::Bool, &S::AttendsCourses));
  f.push_back(Whole("AttendsSchool", FieldType::Bool, &S::AttendsSchool));
  f.push_back(Whole("JobIndex", FieldType::Int16, &S::JobIndex));
  f.push_back(Text("JobTitle", &S::JobTitle));
  f.push_back(Whole("Wage", FieldType::Int16, &S::Wage));
  f.push_back(Whole("Married", FieldType::Bool, &S::Married));
  f.push_back(Whole("WasMarried", FieldType::Bool, &S::WasMarried));
  f.push_back(Whole("Daughters", FieldType::Int16, &S::Daughters));
  f.push_back(Whole("Sons", FieldType::Int16, &S::Sons));
  f.push_back(Whole("Alimony", FieldType::Int16, &S::Alimony));
  f.push_back(Text("PlayerName", &S::PlayerName));
  f.push_back(Whole("BankDeposit", FieldType::Int32, &S::BankDeposit));
  f.push_back(Whole("BankLoan", FieldType::Int32, &S::BankLoan));
  const char* hw[] = {"HwCpu", "HwRam", "HwVideo", "HwHdd", "HwCdrom", "HwModem", "HwSound", "HwScanner", "HwPrinter"};
  for (size_t i = 0; i < 9; ++i) f.push_back(Slot(hw[i], &S::Hw, i, true));
  const char* sw[] = {"SoftOs", "SoftAntivirus", "SoftProgramming", "SoftGraphics", "SoftInternet", "SoftGames"};
  for (size_t i = 0; i < 6; ++i) f.push_back(Slot(sw[i], &S::Soft, i, true));
  for (size_t i = 0; i < 9; ++i) f.push_back(Slot("HwModels(" + std::to_string(i + 1) + ")", &S::HwModels, i, false));
  f.push_back(Whole("DownloadedMb", FieldType::Int16, &S::DownloadedMb));
  f.push_back(Text("SaveLoadFileName", &S::SaveLoadFileName));
  f.push_back(Whole("SaveLoadCancelled", FieldType::Bool, &S::SaveLoadCancelled));
  f.push_back(Whole("InternetConnected", FieldType::Bool, &S::InternetConnected));
  f.push_back(Whole("BbsConnected", FieldType::Bool, &S::BbsConnected));
  f.push_back(Whole("ConnectedHours", FieldType::Int16, &S::ConnectedHours));
  f.push_back(Whole("MusicOn", FieldType::Bool, &S::MusicOn));
  f.push_back(Whole("SfxOn", FieldType::Bool, &S::SfxOn));
  return f;
}

}  // namespace

const std::vector<StateField>& StateFields() {
  static const std::vector<StateField> fields = Build();
  return fields;
}

const StateField* FindStateField(const std::string& name) {
  for (const StateField& f : StateFields())
    if (f.name == name) return &f;
  return nullptr;
}

std::optional<long long> ParseWhole(const std::string& text) {
  // A sign, and a number too large for any variable reads as the nearer end.
  DecimalRule rule;
  rule.plus = rule.saturate = true;
  return ParseDecimal(text, rule);
}

std::string StateDump(const GameState& s) {
  std::string out;
  for (const StateField& f : StateFields()) out += "STATE " + f.name + " " + f.get(s) + "\n";
  return out;
}

}  // namespace kalvitor
