#include "windows/screens/frm_family.h"

#include "util/tr.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

constexpr int16_t kMarriage = 8;
constexpr int16_t kDivorce = 12;

// Client area 234 x 281 (the FAMILY picture).
constexpr int kW = 234, kH = 281;
constexpr int kX = 10, kTextW = kW - 20;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kLink = 0xFFD878;  // the divorce label reads as a button
constexpr uint32_t kInk = 0x000000;

}  // namespace

// The window carries no caption text.
FrmFamily::FrmFamily(Game& game) : Form(game, "frmFamily", "") {
  SetClientSize(kW, kH);
  SetUntitledTitle(Tr("Семья"));
  AddShadowedTitle("Label4", "Label3", Tr("Реши своё будущее..."), 4, 6, kW - 8, 22, 11, kTitle, kShadow, 2, 2);
  Add("Label5", ControlKind::Label,
      Tr("Здесь вы можете жениться или развестись со своей женой. Если вы женитесь, то вы обрекаете себя на большие "
         "проблемы и хлопоты. Но это необходимо для победы в игре!"))
      .At(kX, 34, kTextW, 78)
      .Font(8)
      .Color(kText);
  Add("Command1", ControlKind::Button, Tr("Жениться - $50 + 25%h"))
      .At(kX + 12, 114, kTextW - 24, 26)
      .Font(9)
      .Color(kInk)
      .Tip(Tr("Свадьба: настроение +25%. Цена $50. Жена нужна для победы."));
  Add("Label1", ControlKind::Label,
      Tr("Если вам уже надоела семья, то вы можете развестись в любой момент! Но если у вас есть дети, то вы будете "
         "платить по $50 в месяц за каждого ребенка!"))
      .At(kX, 144, kTextW, 80)
      .Font(8)
      .Color(kText);
  Add("Label2", ControlKind::ClickLabel, Tr("Развестись - $15 - 15%h"))
      .At(kX + 12, 226, kTextW - 24, 20)
      .Font(10, true)
      .Color(kLink)
      .AlignTo(ControlProps::Center)
      .Tip(Tr("Развод ничего не стоит, но за каждого ребёнка платить $50 в месяц."));
  Control& back = Add("Command8", ControlKind::Button, Tr("Назад")).At((kW - 110) / 2, kH - 31, 110, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);

  OnClick("Command1", [this](int) { Command1_Click(); });
  OnClick("Label2", [this](int) { Label2_Click(); });
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmFamily::FormLoad() { SetBackground("FAMILY"); }

// A married player clicking again hears only the click.
void FrmFamily::Command1_Click() {
  game_.PlaySfx("BUTTONS");
  game_.FamilyEvent(kMarriage);
}

// The caption's $15 and 15% of mood are not charged: a divorce costs nothing.
void FrmFamily::Label2_Click() {
  game_.PlaySfx("BUTTONS");
  game_.FamilyEvent(kDivorce);
}

void FrmFamily::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Unload();
}

}  // namespace kalvitor
