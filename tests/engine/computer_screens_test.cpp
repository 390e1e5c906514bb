// The hardware upgrade and software screens: captions built from the
// player's computer, purchases and installs, refusals, top models.
#include <gtest/gtest.h>

#include "harness.h"
#include "screens/frm_hard.h"
#include "screens/frm_soft.h"
#include "shell/frm_main.h"

namespace kalvitor::testing {
namespace {

struct Look {
  std::string text;
  bool enabled;
  bool operator==(const Look&) const = default;
};

std::vector<Look> Buttons(const std::vector<Control*>& buttons) {
  std::vector<Look> v;
  for (const Control* c : buttons) v.push_back({c->Text(), c->Enabled()});
  return v;
}

// ---------------------------------------------------------------- Hardware

TEST(HardScreen, ANewGameOffersModelOneOfEverySlot) {
  Harness h;
  h.Start();
  h.game.MainForm().Click("cmdHard", -1);
  FrmHard& hard = h.game.HardForm();
  EXPECT_EQ(Buttons(hard.cmdUpggrade), (std::vector<Look>{
                                           {"Процессор - 486 DX2-66 MHz - $25", true},
                                           {"ОЗУ - 8 Mb - $10", true},
                                           {"Видеокарта - S3 Trio 1 Mb - $8", true},
                                           {"Винчестер - 850 Mb IDE - $40", true},
                                           {"CD-ROM - 4x Speed - $8", true},
                                           {"Модем - 9600 bps - $10", true},
                                           {"Звук - 22 kHz 8 bit ESS - $5", true},
                                           {"Сканер - Agfa Home-4 Manual - $20", true},
                                           {"Принтер - Epson LX400 - $50", true},
                                       }));
}

TEST(HardScreen, BuyingMovesTheOfferOnAndTheTopModelIsDisabled) {
  Harness h;
  h.Start();
  h.game.BuyHardware(0, 9, kFalse);
  h.game.BuyHardware(7, 5, kFalse);
  h.s().Money = 1000;
  h.game.MainForm().Click("cmdHard", -1);
  FrmHard& hard = h.game.HardForm();
  EXPECT_EQ(hard.cmdUpggrade[7]->Text(), "Сканер - ProfScan S450 A0 14000 dpi SCSI - $14500");
  EXPECT_EQ(hard.cmdUpggrade[0]->Text(), "Процессор - Intel Pentium 4 1500 MHz - $620");
  h.Lines();

  hard.Click("cmdUpggrade", 0);
  EXPECT_EQ(h.Lines(), std::vector<std::string>{"SFX BUTTONS"});
  EXPECT_EQ(h.s().Money, 380);
  EXPECT_EQ(h.s().Hw[0], 10);
  EXPECT_EQ(h.s().HwModels[0], 10);
  EXPECT_EQ(h.game.MainForm().lblhard[0]->Text(), "Intel Pentium 4 1500 MHz");
  EXPECT_EQ(hard.cmdUpggrade[0]->Text(), "Процессор - Intel Pentium 4 1500 MHz - $620");
  EXPECT_FALSE(hard.cmdUpggrade[0]->Enabled());

  hard.Click("cmdUpggrade", 5);
  EXPECT_EQ(hard.cmdUpggrade[5]->Text(), "Модем - 14400 bps - $16");
  EXPECT_TRUE(hard.cmdUpggrade[5]->Enabled());

  // Leaving unloads; the next opening builds the screen afresh.
  hard.Click("Command8", -1);
  EXPECT_TRUE(h.Saw("UNLOAD frmHard"));
  EXPECT_FALSE(hard.Loaded());
  h.game.MainForm().Click("cmdHard", -1);
  EXPECT_FALSE(hard.cmdUpggrade[0]->Enabled());
  EXPECT_TRUE(hard.cmdUpggrade[1]->Enabled());
}

TEST(HardScreen, AFailedPurchaseChangesNothing) {
  Harness h;
  h.Start();
  h.game.BuyHardware(2, 7, kFalse);  // the video card at its top
  h.s().Money = 24;
  h.game.MainForm().Click("cmdHard", -1);
  FrmHard& hard = h.game.HardForm();
  const std::vector<Look> before = Buttons(hard.cmdUpggrade);
  EXPECT_FALSE(before[2].enabled);
  h.Lines();

  hard.Click("cmdUpggrade", 0);
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BUTTONS",
                                                 "MSGBOX information \"Я тоже много хочу!!!\" \"У вас недостаточно "
                                                 "денег на покупку 486 DX2-66 MHz за $25\" -> ok"}));
  EXPECT_EQ(Buttons(hard.cmdUpggrade), before);
  EXPECT_EQ(h.s().Money, 24);
  EXPECT_EQ(h.s().Hw[0], 0);
}

// ---------------------------------------------------------------- Software

TEST(SoftScreen, ANewGameOffersModelOneOfEverySlot) {
  Harness h;
  h.Start();
  h.game.MainForm().Click("cmdSoft", -1);
  FrmSoft& soft = h.game.SoftForm();
  EXPECT_EQ(Buttons(soft.cmdUpgrade), (std::vector<Look>{
                                          {"ОС - Microsoft Windows 3.1", true},
                                          {"Антивирус - Doctor Web", true},
                                          {"Прог-е - Borland Pascal 7.0", true},
                                          {"Графика - Microsoft Paint", true},
                                          {"Интернет - Internet Explorer 3.0", true},
                                          {"Игра - DOOM-II", true},
                                      }));
}

TEST(SoftScreen, ARefusalKeepsTheOfferAndAnInstallMovesItOn) {
  Harness h;
  h.Start();
  h.game.MainForm().Click("cmdSoft", -1);
  FrmSoft& soft = h.game.SoftForm();
  h.Lines();

  soft.Click("cmdUpgrade", 4);
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{
                           "SFX BUTTONS",
                           "MSGBOX information \"Ну у Вас и запросы...\" \"Установи Windows 95\" -> ok"}));
  EXPECT_EQ(soft.cmdUpgrade[4]->Text(), "Интернет - Internet Explorer 3.0");
  EXPECT_EQ(h.s().Soft[4], 0);

  h.s().Soft[0] = 1;
  soft.Click("cmdUpgrade", 5);
  EXPECT_EQ(h.s().Soft[5], 1);
  EXPECT_EQ(soft.cmdUpgrade[5]->Text(), "Игра - Duke 3 for MSDOS");
  EXPECT_EQ(h.Label("lblGames"), "DOOM-II");
}

TEST(SoftScreen, TheTopModelIsShownDisabled) {
  Harness h;
  h.Start();
  for (auto [slot, model] : {std::pair{0, 5}, {1, 3}, {3, 4}, {2, 3}}) h.game.BuyHardware(slot, model, kFalse);
  h.s().Soft[0] = 7;
  h.s().Soft[5] = 5;
  h.game.MainForm().Click("cmdSoft", -1);
  FrmSoft& soft = h.game.SoftForm();
  EXPECT_EQ(soft.cmdUpgrade[0]->Text(), "ОС - Unix Professional");
  EXPECT_TRUE(soft.cmdUpgrade[0]->Enabled());

  soft.Click("cmdUpgrade", 0);
  EXPECT_EQ(h.s().Soft[0], 8);
  EXPECT_EQ(soft.cmdUpgrade[0]->Text(), "ОС - Unix Professional");
  EXPECT_FALSE(soft.cmdUpgrade[0]->Enabled());

  soft.Click("cmdUpgrade", 5);
  EXPECT_EQ(soft.cmdUpgrade[5]->Text(), "Игра - Half-Life");
  EXPECT_FALSE(soft.cmdUpgrade[5]->Enabled());
}

TEST(SoftScreen, HidesOnLeavingAndANewGameLoadsItAfresh) {
  Harness h;
  h.Start();
  h.s().Soft[0] = 1;
  h.game.MainForm().Click("cmdSoft", -1);
  FrmSoft& soft = h.game.SoftForm();
  soft.Click("cmdUpgrade", 5);
  soft.Click("Command8", -1);
  EXPECT_TRUE(h.Saw("HIDE frmSoft"));
  EXPECT_TRUE(soft.Loaded());

  h.QueuePlayer("Петя");
  h.game.NewGame();
  EXPECT_TRUE(h.Saw("UNLOAD frmSoft"));
  h.game.MainForm().Click("cmdSoft", -1);
  EXPECT_EQ(soft.cmdUpgrade[5]->Text(), "Игра - DOOM-II");
}

}  // namespace
}  // namespace kalvitor::testing
