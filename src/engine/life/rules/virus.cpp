// A virus on the player's computer (the virus dialog's two answers): let it go
// and lose 5% of the money, or fight it with the antivirus and, with luck,
// lose nothing. Which antivirus is installed makes no difference.
#include "life/life.h"
#include "util/int_math.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

// The loss is told first and then taken, each time 5% of the money on hand,
// rounded half to even. The text has a %s for the amount.
void Lose(Life& life, const char* text) {
  const Guard game = life.ThisGame();
  life.MsgBox(FormatText(text, {std::to_string(DivRoundHalfEven(life.s.Money, 20))}), Tr("Сообщение"),
              MsgIcon::Exclamation);
  if (game.Over()) return;
  life.SetMoney(Sat32(int64_t{life.s.Money} - DivRoundHalfEven(life.s.Money, 20)), MoneyCause::Virus);
}

}  // namespace

void Life::LetVirusGo() {
  // xgettext:c-format
  Lose(*this, Tr("Вирус сожрал %s баксов!"));
}

// The antivirus wins when a fresh draw of 0..10 is above 5: 45 in 100.
void Life::FightVirus() {
  rnd.ReseedWithDraw(10);
  const int r = rnd.DrawInt(10);
  if (s.Soft[kSoftAntivirus] <= 0) {
    // xgettext:c-format
    Lose(*this, Tr("Нет у вас антивируса! Вирус сожрал %s баксов!"));
  } else if (r > 5) {
    MsgBox(Tr("Поздравляю! Вирус убит!"), Tr("Сообщение"), MsgIcon::Exclamation);
  } else {
    // xgettext:c-format
    Lose(*this, Tr("Не повезло! Он сожрал %s баксов!"));
  }
}

}  // namespace kalvitor
