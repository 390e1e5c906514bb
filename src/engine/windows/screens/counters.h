// The places that sell from a counter: a column of buttons, one for each of
// the counter's rows (life/rules/offers.h), under a shadowed title and a
// heading, with "Назад" below; the window hides when left. They differ only
// in their look and their rows.
//   frmShop, where the player eats: five meals, each raising satiety by a
//     fixed amount for a fixed price, two of them spoiling the mood; sold
//     when the money is at least the price.
//   frmHospital sells health: seven treatments, two of them also changing
//     the mood; sold when the money is at least the price.
//   frmHappy, entertainment, sells mood: five pastimes; sold only when the
//     money is more than the price.
#pragma once

#include "life/rules/offers.h"
#include "windows/forms/form.h"

namespace kalvitor {

// Where a counter window puts its controls, in pixels of its client area
// (fitted to its picture).
struct CounterLook {
  const char* form;
  const char* caption;
  Counter counter;
  const char* background;
  int w, h;
  const char* title;  // drawn twice, the shadow 2 pixels lower and to the right
  int titleX, titleY, titleH, titlePt;
  const char* heading;
  int headingY, headingW, headingH;
  int buttonX, buttonsTop, rowStep, buttonH, buttonPt;  // buttons as wide as the window less buttonX each side
  int backW, backH, backAboveBottom;                    // "Назад", centred
};

class CounterWindow : public Form {
 public:
  CounterWindow(Game& game, const CounterLook& look);

  void Command8_Click();

 protected:
  void FormLoad() override;

 private:
  const CounterLook& look_;
};

class FrmShop : public CounterWindow {
 public:
  explicit FrmShop(Game& game);
};

class FrmHospital : public CounterWindow {
 public:
  explicit FrmHospital(Game& game);
};

class FrmHappy : public CounterWindow {
 public:
  explicit FrmHappy(Game& game);
};

}  // namespace kalvitor
