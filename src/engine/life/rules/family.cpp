// Family life: marriage, divorce, children and the family code line.
#include "life/life.h"
#include "util/int_math.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {

void Life::FamilyEvent(int16_t code) {
  // A message box lets the clock run; a death meanwhile ends this game, and
  // what follows was meant for it.
  const Guard game = ThisGame();
  switch (code) {
    case 8:
      if (s.Married != kTrue || s.WasMarried != kTrue) {
        PlaySfx("MARRY");
        MsgBox(Tr("Поздравляем! Вчера ты женился! Заплатите за свадьбу $50"),
               Tr("Женится или не женится... Всё равно потом раскаиваться буду!"), MsgIcon::Information);
        if (game.Over()) return;
        state_.Married = kTrue;
        state_.WasMarried = kTrue;
        Note(JournalKind::Family, Tr("Свадьба"));
        SetMoney(Sat32(int64_t{s.Money} - 50), MoneyCause::Wedding);
        SetMood(Sat16(int64_t{s.Mood} + 25));
      }
      break;
    case 12:
      PlaySfx("DIVORCE");
      if (s.Married == kTrue) {
        MsgBox(Tr("От тебя ушла жена!"), Tr("Вот и раскаивайся!"), MsgIcon::Information);
        if (game.Over()) return;
        state_.Married = kFalse;
        Note(JournalKind::Family, Tr("Развод"));
        if (s.Daughters > 0 || s.Sons > 0) {
          state_.Alimony = Sat16((int64_t{s.Sons} + s.Daughters) * 50);
          Note(JournalKind::Family, FormatText(Tr("Алименты: $%s в месяц"), {std::to_string(s.Alimony)}));
          MsgBox(Tr("Но не тут-то было! Она забрала с собой твоих детей и ты должен выплачивать ей по $50 за ребенка в "
                    "месяц!"),
                 Tr("Круто, да?"), MsgIcon::Information);
        }
      }
      break;
    case 24:
    case 32:
      PlaySfx("BABY");
      if (s.Married == kTrue) {
        bool daughter = code == 24;
        MsgBox(daughter ? Tr("Поздравляем! У вас родилась дочь!") : Tr("Поздравляем! У вас родился сын!"),
               Tr("Медбрат"), MsgIcon::Information);
        if (game.Over()) return;
        int16_t& count = daughter ? state_.Daughters : state_.Sons;
        count = Sat16(int64_t{count} + 1);
        Note(JournalKind::Family, FormatText(daughter ? Tr("Родилась дочь; дочерей %s, сыновей %s")
                                                      : Tr("Родился сын; дочерей %s, сыновей %s"),
                                             {std::to_string(s.Daughters), std::to_string(s.Sons)}));
      }
      break;
    default:
      break;
  }
  RefreshFamilyLabel();
}

void Life::RefreshFamilyLabel() { View().Changed(Fact::Family); }

}  // namespace kalvitor
