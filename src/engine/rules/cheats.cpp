// The cheat box's codes.
#include <functional>

#include "game.h"
#include "util/int_math.h"
#include "util/text.h"

namespace kalvitor {

void Game::ApplyCheatCode(const std::string& text) {
  struct Code {
    const char* word;
    std::function<void(Game&)> effect;
  };
  static const Code kCodes[] = {
      {"QARVENTOS", [](Game& g) { g.SetMoney(Sat32(int64_t{g.s.Money} + 100), MoneyCause::Cheat); }},
      {"MELKIR", [](Game& g) { g.SetHealth(Sat16(int64_t{g.s.Health} + 25)); }},
      {"TRUVO", [](Game& g) { g.SetMood(Sat16(int64_t{g.s.Mood} + 25)); }},
      {"BALNOSH", [](Game& g) { g.SetSatiety(Sat16(int64_t{g.s.Satiety} + 25)); }},
      {"ZORPIK", [](Game& g) { g.s.CheatWin = kTrue; }},
      {"GRIMLO", [](Game& g) { g.SetMood(-15000); }},
      {"FELDRANOVIKASH", [](Game& g) { g.FamilyEvent(24); }},
      {"TOBRELIN", [](Game& g) { g.FamilyEvent(32); }},
      {"SKAVORINE", [](Game& g) { g.SetEducation(99); }},
      {"NELUX", [](Game& g) { g.SetStatus(7); }},
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
