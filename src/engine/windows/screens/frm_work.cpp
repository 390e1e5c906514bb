#include "windows/screens/frm_work.h"

#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// The wages in the captions are the daily wages SetJob assigns to jobs 1..12.
// The designer's refusal speaks of LAMER while the test asks for GAMER (3):
// the test decides.
constexpr JobOffer kOffers[] = {
    {"Дворник - $10", 1, 0, 0, 0, 0, 0, 0, nullptr},
    {"Сантехник -$15", 2, 25, 0, 0, 0, 0, 0, "Поумнейте до 25%"},
    {"Инженер - $20", 3, 35, 2, 1, 0, 0, 0, "Поумнейте до 35% и станьте Юзером с Windows 3.1"},
    {"Менеджер - $80", 4, 45, 2, 2, 0, 0, 0, "Поумнейте до 45% и станьте Юзером с Windows 95"},
    {"Дизайнер $95", 5, 60, 3, 3, 2, 2, 0,
     "Приобретите компьютер с Windows 98 и Adobe Photoshop 6 и сканером Mustek 600 CP, станьте Ламером и "
     "поумнейте до 60%"},
    {"Архитектор - $115", 6, 65, 4, 3, 2, 0, 0,
     "Приобретите компьютер с Windows 98 и Adobe Photoshop 6, станьте Ламером и поумнейте до 65%"},
    {"Бухгалтер - $125", 7, 70, 2, 3, 0, 0, 0, "Приобретите компьютер с Windows 98, станьте Юзером и поумнейте до 70%"},
    {"Программист - $150", 8, 85, 5, 5, 0, 0, 0,
     "Приобретите компьютер с Windows NT4, станьте Программером и поумнейте до 85%"},
    {"Сисадмин - $175", 9, 85, 6, 6, 0, 0, 4,
     "Приобретите компьютер с Windows 2000 с 56000 bps V.90 модемом, станьте Сисадмином и поумнейте до 85%"},
    {"Спец. по комп. безоп. $200", 10, 90, 6, 4, 0, 0, 0,
     "Приобретите компьютер с Windows Millenium, станьте Сисадмином и поумнейте до 90%"},
    {"Хакер - $540", 11, 98, 7, 7, 0, 0, 6,
     "Приобретите компьютер с Linux с DVB 2 Mb/s Satelette Device за $600, станьте Хакером и поумнейте до 98"},
    {"Босс hakc-фирмы - $750", 12, 100, 8, 8, 0, 0, 6,
     "Приобретите компьютер с Unix с DVB 2 Mb/s Satelette Device за $600, станьте Профи и поумнейте до 100"},
};

// Client area 387 x 282 (the WORK picture): the title, the heading, two
// columns of six jobs and the back button underneath.
constexpr int kW = 387, kH = 282;
constexpr int kColX[2] = {12, 197};
constexpr int kColW = 178, kTop = 60, kRowStep = 29, kButtonH = 25;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

bool AtLeast(int16_t have, int16_t need) { return need == 0 || have >= need; }

}  // namespace

std::span<const JobOffer> JobOffers() { return kOffers; }

FrmWork::FrmWork(Game& game) : Form(game, "frmWork", "Работа") {
  SetClientSize(kW, kH);
  // The shadow first, so the title is drawn over it.
  AddShadowedTitle("Label3", "Label2", "Центр занятости населения", 6, 6, kW - 12, 24, 12, kTitle, kShadow, 2, 2);
  Add("Label1", ControlKind::Label, "Смена работы").At(12, 36, 200, 18).Font(9, true).Color(kText);
  int i = 0;
  for (const JobOffer& offer : kOffers) {
    const int column = i / 6, row = i % 6;
    AddIndexed("cmdWork", i, ControlKind::Button, offer.caption)
        .At(kColX[column], kTop + row * kRowStep, kColW, kButtonH)
        .Font(8)
        .Color(kInk)
        .Tip(JobTip(offer));
    ++i;
  }
  Control& back = Add("Command8", ControlKind::Button, "Назад").At((kW - 120) / 2, kH - 36, 120, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);

  OnClick("cmdWork", [this](int index) { cmdWork_Click(index); });
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmWork::FormLoad() { SetBackground("WORK"); }

bool FrmWork::Qualifies(const JobOffer& offer) const {
  const GameState& s = game_.s;
  return AtLeast(s.Education, offer.education) && AtLeast(s.StatusRank, offer.rank) &&
         AtLeast(s.Soft[kSoftOs], offer.os) && AtLeast(s.Soft[kSoftGraphics], offer.graphics) &&
         AtLeast(s.Hw[kHwScanner], offer.scanner) && AtLeast(s.Hw[kHwModem], offer.modem);
}

void FrmWork::cmdWork_Click(int index) {
  game_.PlaySfx("BUTTONS");
  if (index < 0 || index >= static_cast<int>(std::size(kOffers))) return;
  const JobOffer& offer = kOffers[index];
  if (offer.refusal == nullptr || Qualifies(offer)) {
    game_.SetJob(offer.job);
  } else {
    game_.MsgBox(offer.refusal, "Нифига!", MsgIcon::Information);
  }
}

void FrmWork::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
