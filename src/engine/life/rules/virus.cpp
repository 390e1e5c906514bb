// A virus on the player's computer (the virus dialog's two answers): let it go
// and lose 5% of the money, or fight it with the antivirus and, with luck,
// lose nothing. Which antivirus is installed makes no difference.
#include "life/life.h"
#include "util/int_math.h"

namespace kalvitor {
namespace {

// The loss is told first and then taken, each time 5% of the money on hand,
// rounded half to even.
void Lose(Life& life, const std::string& textBefore) {
  const Guard game = life.ThisGame();
  life.MsgBox(textBefore + std::to_string(DivRoundHalfEven(life.s.Money, 20)) + " баксов!", "Сообщение",
              MsgIcon::Exclamation);
  if (game.Over()) return;
  life.SetMoney(Sat32(int64_t{life.s.Money} - DivRoundHalfEven(life.s.Money, 20)), MoneyCause::Virus);
}

}  // namespace

void Life::LetVirusGo() { Lose(*this, "Вирус сожрал "); }

// The antivirus wins when a fresh draw of 0..10 is above 5: 45 in 100.
void Life::FightVirus() {
  rnd.ReseedWithDraw(10);
  const int r = rnd.DrawInt(10);
  if (s.Soft[kSoftAntivirus] <= 0) {
    Lose(*this, "Нет у вас антивируса! Вирус сожрал ");
  } else if (r > 5) {
    MsgBox("Поздравляю! Вирус убит!", "Сообщение", MsgIcon::Exclamation);
  } else {
    Lose(*this, "Не повезло! Он сожрал ");
  }
}

}  // namespace kalvitor
