#include "windows/screens/frm_work.h"

#include "life/rules/job_offers.h"
#include "util/tr.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// Client area 387 x 282 (the WORK picture): the title, the heading, two
// columns of six jobs and the back button underneath.
constexpr int kW = 387, kH = 282;
constexpr int kColX[2] = {12, 197};
constexpr int kColW = 178, kTop = 60, kRowStep = 29, kButtonH = 25;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

}  // namespace

FrmWork::FrmWork(Game& game) : Form(game, "frmWork", Tr("Работа")) {
  SetClientSize(kW, kH);
  // The shadow first, so the title is drawn over it.
  AddShadowedTitle("Label3", "Label2", Tr("Центр занятости населения"), 6, 6, kW - 12, 24, 12, kTitle, kShadow, 2, 2);
  Add("Label1", ControlKind::Label, Tr("Смена работы")).At(12, 36, 200, 18).Font(9, true).Color(kText);
  int i = 0;
  for (const JobOffer& offer : JobOffers()) {
    const int column = i / 6, row = i % 6;
    AddIndexed("cmdWork", i, ControlKind::Button, Tr(offer.caption))
        .At(kColX[column], kTop + row * kRowStep, kColW, kButtonH)
        .Font(8)
        .Color(kInk)
        .Tip(JobTip(offer));
    ++i;
  }
  Control& back = Add("Command8", ControlKind::Button, Tr("Назад")).At((kW - 120) / 2, kH - 36, 120, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);

  OnClick("cmdWork", [this](int index) { cmdWork_Click(index); });
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmWork::FormLoad() { SetBackground("WORK"); }

void FrmWork::cmdWork_Click(int index) {
  game_.PlaySfx("BUTTONS");
  game_.ApplyForJob(index);
}

void FrmWork::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
