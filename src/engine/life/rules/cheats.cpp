// The cheat box's codes.
#include <functional>

#include "life/life.h"
#include "util/int_math.h"
#include "util/text.h"

namespace kalvitor {

void Life::ApplyCheatCode(const std::string& text) {
  struct Code {
    const char* word;
    std::function<void(Life&)> effect;
  };
  static const Code kCodes[] = {
      {"QARVENTOS", [](Life& g) { g.SetMoney(Sat32(int64_t{g.s.Money} + 100), MoneyCause::Cheat); }},
      {"MELKIR", [](Life& g) { g.SetHealth(Sat16(int64_t{g.s.Health} + 25)); }},
      {"TRUVO", [](Life& g) { g.SetMood(Sat16(int64_t{g.s.Mood} + 25)); }},
      {"BALNOSH", [](Life& g) { g.SetSatiety(Sat16(int64_t{g.s.Satiety} + 25)); }},
      {"ZORPIK", [](Life& g) { g.state_.CheatWin = kTrue; }},
      {"GRIMLO", [](Life& g) { g.SetMood(-15000); }},
      {"FELDRANOVIKASH", [](Life& g) { g.FamilyEvent(24); }},
      {"TOBRELIN", [](Life& g) { g.FamilyEvent(32); }},
      {"SKAVORINE", [](Life& g) { g.SetEducation(99); }},
      {"NELUX", [](Life& g) { g.SetStatus(7); }},
  };
  const std::string upper = UpperCase(text);
  for (const Code& c : kCodes) {
    if (upper == c.word) {
      c.effect(*this);
      return;
    }
  }
}

}  // namespace kalvitor
