#include "windows/screens/counters.h"

#include "util/tr.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

// Client areas fitted to the pictures: SHOP 317 x 247, HOSP 232 x 248 (a
// narrow column of treatments), HAPPY 228 x 247.
const CounterLook kShop{"frmShop",
                        KV_N("Магазин"),
                        Counter::Shop,
                        "SHOP",
                        317,
                        247,
                        "What are you wating for...",
                        6,
                        6,
                        24,
                        12,
                        KV_N("Заправка"),
                        36,
                        160,
                        18,
                        24,
                        60,
                        29,
                        25,
                        9,
                        120,
                        26,
                        34};
const CounterLook kHospital{"frmHospital",
                            KV_N("Госпиталь"),
                            Counter::Hospital,
                            "HOSP",
                            232,
                            248,
                            KV_N("Лечиться -- не учиться!"),
                            4,
                            4,
                            20,
                            10,
                            KV_N("Без взяток:"),
                            27,
                            140,
                            17,
                            10,
                            46,
                            24,
                            22,
                            8,
                            110,
                            24,
                            29};
const CounterLook kHappy{"frmHappy",
                         KV_N("Развлечения"),
                         Counter::Entertainment,
                         "HAPPY",
                         228,
                         247,
                         KV_N("Безопастный отдых"),
                         4,
                         6,
                         24,
                         12,
                         KV_N("Что желаете?"),
                         38,
                         160,
                         18,
                         14,
                         62,
                         30,
                         26,
                         9,
                         110,
                         26,
                         32};

}  // namespace

CounterWindow::CounterWindow(Game& game, const CounterLook& look)
    : Form(game, look.form, Tr(look.caption)), look_(look) {
  const CounterLook& l = look;
  SetClientSize(l.w, l.h);
  AddShadowedTitle("Label4", "Label3", Tr(l.title), l.titleX, l.titleY, l.w - 2 * l.titleX, l.titleH, l.titlePt, kTitle,
                   kShadow, 2, 2);
  Add("Label1", ControlKind::Label, Tr(l.heading))
      .At(l.buttonX, l.headingY, l.headingW, l.headingH)
      .Font(9, true)
      .Color(kText);
  int row = 0;
  for (const Offer& offer : OffersAt(l.counter)) {
    Add(offer.control, ControlKind::Button, Tr(offer.caption))
        .At(l.buttonX, l.buttonsTop + row * l.rowStep, l.w - 2 * l.buttonX, l.buttonH)
        .Font(l.buttonPt)
        .Color(kInk)
        .Tip(EffectTip(offer));
    OnClick(offer.control, [this, &offer](int) { game_.TakeOffer(offer); });
    ++row;
  }
  Control& back = Add("Command8", ControlKind::Button, Tr("Назад"))
                      .At((l.w - l.backW) / 2, l.h - l.backAboveBottom, l.backW, l.backH)
                      .Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void CounterWindow::FormLoad() { SetBackground(look_.background); }

void CounterWindow::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

FrmShop::FrmShop(Game& game) : CounterWindow(game, kShop) {}
FrmHospital::FrmHospital(Game& game) : CounterWindow(game, kHospital) {}
FrmHappy::FrmHappy(Game& game) : CounterWindow(game, kHappy) {}

}  // namespace kalvitor
